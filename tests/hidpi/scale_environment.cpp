// One QApplication for every test of this executable, at a display scale of 2, as a desktop
// set to 200 % gives it.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class ScaledApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_SCALE_FACTOR", "2");
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "hidpi_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ScaledApplication);

} // namespace
