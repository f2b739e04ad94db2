// The page-token engine needs a QCoreApplication, as the front ends provide one.
#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

class QtApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "catalogue_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QCoreApplication(argc, argv);
  }
  void TearDown() override { delete app_; }

 private:
  QCoreApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace
