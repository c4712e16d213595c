#include "ZIBapp.h"

int
main()
{
	ZIBapp* app = new ZIBapp;
	app->Run();
	delete app;
	return 0;
}
