// zib-register: writes the Word Services registration attributes on an
// installed address-book executable, so client applications offer its menu
// items before it has ever run.

#include <stdio.h>

#include <ErrnoStatus.h>
#include <Node.h>

#include "WordServicesRegistration.h"

int
main(int argc, char** argv)
{
	if (argc != 2) {
		fprintf(stderr, "usage: zib-register <executable>\n");
		return 2;
	}
	BNode node(argv[1]);
	status_t status = node.InitCheck();
	if (status == B_OK)
		status = WriteWordServicesAttribute(&node);
	if (status == B_OK)
		status = WriteMenuStringsAttributes(&node);
	if (status != B_OK) {
		fprintf(stderr, "zib-register: cannot register %s as a Word Services server (%s)\n",
				argv[1], BPrivate::status_text(status));
		return 1;
	}
	return 0;
}
