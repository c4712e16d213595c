#include "GuiTestApplication.h"

#include <gtest/gtest.h>

#include <Application.h>

namespace {

class ApplicationEnvironment : public testing::Environment {
public:
	void SetUp() override { fApplication = new BApplication("application/x-vnd.test-gui"); }
	void TearDown() override { delete fApplication; }

private:
	BApplication* fApplication = nullptr;
};

const auto* sEnvironment = testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
