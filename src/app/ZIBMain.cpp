#include "CommandLine.h"
#include "ZIBapp.h"

int
main(int argc, char** argv)
{
	int exitCode = 0;
	if (HandleCommandLine(argc, argv, &exitCode))
		return exitCode;
	ZIBapp* app = new ZIBapp;
	app->Run();
	delete app;
	return 0;
}
