// One application object for every test of the executable, headless unless a platform is set.
// A test program compiled with CF_TEST_SCALE_FACTOR runs at that display scale, as a desktop
// set to it (200 % for "2") gives it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
#ifdef CF_TEST_SCALE_FACTOR
        qputenv("QT_SCALE_FACTOR", CF_TEST_SCALE_FACTOR);
#endif
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "cornerflow-tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        // What a window keeps goes to a folder of the run's own, never the user's settings.
        settings_ = new QTemporaryDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
    }
    void TearDown() override
    {
        delete settings_;
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
    QTemporaryDir* settings_ = nullptr;
};

::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(
    new ApplicationEnvironment);

} // namespace
