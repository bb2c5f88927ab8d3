#pragma once
// The Qt test programme's environment: one QApplication on the offscreen
// platform and a TQtHost installed for all tests (created before the first
// test, destroyed after the last, host first).

#include <memory>

#include <gtest/gtest.h>

#include <QApplication>

#include "mivo/qt/qt_host.h"

namespace mivo::test {

class QtTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

 private:
  std::unique_ptr<QApplication> FApp;
};

}  // namespace mivo::test
