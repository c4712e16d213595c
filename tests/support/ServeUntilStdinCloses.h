#ifndef SERVE_UNTIL_STDIN_CLOSES_H
#define SERVE_UNTIL_STDIN_CLOSES_H

#include <unistd.h>

#include <cstdio>

#include <Looper.h>
#include "TeamPort.h"

// The body of a stand-in application for tests that start it as a child:
// publishes the running looper under signature, prints "ready", serves until
// the parent closes standard input, then quits the looper. Answers the exit
// status of the child.
inline int
serve_until_stdin_closes(const char* signature, BLooper* looper)
{
	if (BPrivate::publish_team_port(signature, looper) != B_OK)
		return 1;
	printf("ready\n");
	fflush(stdout);
	char byte;
	while (read(STDIN_FILENO, &byte, 1) > 0) {
	}
	BPrivate::unpublish_team_port();
	looper->Lock();
	looper->Quit();
	return 0;
}

#endif // SERVE_UNTIL_STDIN_CLOSES_H
