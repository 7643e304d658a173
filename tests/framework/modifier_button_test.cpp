#include "framework/modifier_button.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

namespace corvane {
namespace {

// Records what the click handler sees, for each click.
struct ClickLog {
  explicit ClickLog(TModifierButton& button) {
    QObject::connect(&button, &QPushButton::clicked,
                     [this, &button] { seen.push_back(button.ClickModifiers()); });
  }
  std::vector<Qt::KeyboardModifiers> seen;
};

TEST(ModifierButtonTest, WhatWasHeldAtThePressCountsWhenItIsLetGoFirst) {
  TModifierButton button("Go");
  button.resize(100, 25);
  ClickLog log(button);
  QTest::keyPress(&button, Qt::Key_Space, Qt::ShiftModifier | Qt::ControlModifier);
  QTest::keyRelease(&button, Qt::Key_Space, Qt::NoModifier);
  QTest::mousePress(&button, Qt::LeftButton, Qt::ShiftModifier);
  QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier);
  QTest::keyClick(&button, Qt::Key_Space, Qt::ShiftModifier);
  QTest::mouseClick(&button, Qt::LeftButton);  // the next gesture starts afresh
  const std::vector<Qt::KeyboardModifiers> expected = {Qt::ShiftModifier | Qt::ControlModifier,
                                                       Qt::ShiftModifier, Qt::ShiftModifier, Qt::NoModifier};
  EXPECT_EQ(log.seen, expected);
}

TEST(ModifierButtonTest, AClickFromTheProgramAfterAShiftClickHoldsNoModifier) {
  TModifierButton button("Go");
  button.resize(100, 25);
  ClickLog log(button);
  QTest::mouseClick(&button, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(button.ClickModifiers(), Qt::NoModifier);  // only while the release clicks
  button.click();
  ASSERT_EQ(log.seen.size(), 2u);
  EXPECT_EQ(log.seen[1], Qt::NoModifier);
}

}  // namespace
}  // namespace corvane
