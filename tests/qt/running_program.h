// The real window with its bindings, shown offscreen and active, for tests that type into it;
// failure reports are acknowledged and kept.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include "form1.h"
#include "message_box_acknowledger.h"
#include "notification_bindings.h"

namespace zentavo::testing_support {

class RunningProgram : public testing::Test {
 protected:
  void SetUp() override {
    BindNotifications(form);
    form.Show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  QLineEdit* Box(const char* name) { return form.TextBox(name); }
  QString Text(const char* name) { return Box(name)->text(); }
  // Types `keys` at the box's cursor.
  void Type(const char* name, const QString& keys) {
    Box(name)->setFocus();
    QTest::keyClicks(Box(name), keys);
  }
  // Types `keys` over all the box holds.
  void Retype(const char* name, const QString& keys) {
    Box(name)->setFocus();
    Box(name)->selectAll();
    QTest::keyClicks(Box(name), keys);
  }

  Form1 form;
  MessageBoxAcknowledger acknowledger;
};

}  // namespace zentavo::testing_support
