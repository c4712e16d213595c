// zib-register-server: writes the Word Services registration attributes on
// an installed executable; the install runs it on the installed zibmo.

#include <stdio.h>

#include <ErrnoStatus.h>
#include <Node.h>

#include "WordServicesRegistration.h"

int
main(int argc, char** argv)
{
	if (argc != 2) {
		fprintf(stderr, "usage: zib-register-server EXECUTABLE\n");
		return 2;
	}
	BNode node(argv[1]);
	status_t status = node.InitCheck();
	if (status == B_OK)
		status = WordServicesRegistration::WriteServerAttribute(&node);
	if (status == B_OK)
		status = WordServicesRegistration::WriteMenuStrings(&node);
	if (status != B_OK) {
		fprintf(stderr, "zib-register-server: %s: %s\n", argv[1], BPrivate::status_text(status));
		return 1;
	}
	return 0;
}
