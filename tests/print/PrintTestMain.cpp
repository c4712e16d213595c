// The print tests draw text, which needs a QGuiApplication: one for the
// whole run, on the offscreen platform.

#include <stdlib.h>

#include <QGuiApplication>

#include <gtest/gtest.h>

int
main(int argc, char** argv)
{
	setenv("QT_QPA_PLATFORM", "offscreen", 0);
	testing::InitGoogleTest(&argc, argv);
	QGuiApplication application(argc, argv);
	return RUN_ALL_TESTS();
}
