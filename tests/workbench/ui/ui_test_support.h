// A host with the UI suite acquired as a module acquires it, and a notify
// procedure that records what it was told.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sdk/errors.h"
#include "sdk/ui_suite.h"
#include "workbench/plugin/host.h"
#include "workbench/ui/headless_toolkit.h"

namespace workbench::ui::testing {

struct Notice {
  QvWindowHandle window;
  std::int32_t control;
  std::int32_t notification;
  bool operator==(const Notice& o) const {
    return window == o.window && control == o.control && notification == o.notification;
  }
};

/// Records each notification, then runs `onNotice` (if set) and returns
/// its result.
struct Recorder {
  std::vector<Notice> notices;
  std::function<QvErr(const Notice&)> onNotice;

  static QvErr Proc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
    auto* self = static_cast<Recorder*>(data);
    self->notices.push_back(Notice{window, control, notification});
    return self->onNotice ? self->onNotice(self->notices.back()) : kQvNoErr;
  }
};

/// The selected row of a control with items; -2 when the suite refuses.
inline std::int32_t SelectionOf(const QvUiSuite* s, QvWindowHandle window, std::int32_t control) {
  std::int32_t selection = -2;
  return s->GetSelection(window, control, &selection) == kQvNoErr ? selection : -2;
}

class UiHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const void* suite = nullptr;
    ASSERT_EQ(host_.BasicSuite()->AcquireSuite(kQvUiSuite, kQvUiSuiteVersion, &suite), kQvNoErr);
    s_ = static_cast<const QvUiSuite*>(suite);
    ASSERT_NE(host_.HeadlessUi(), nullptr);
  }

  HeadlessToolkit& Ui() { return *host_.HeadlessUi(); }

  /// Reads a control's text through the suite, asking for its length first.
  std::string Text(QvWindowHandle window, std::int32_t control) {
    std::int32_t length = -1;
    EXPECT_EQ(s_->GetControlText(window, control, nullptr, 0, &length), kQvNoErr);
    std::string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    EXPECT_EQ(s_->GetControlText(window, control, text.data(), length + 1, nullptr), kQvNoErr);
    text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
    return text;
  }

  QvErr Create(QvWindowHandle window, std::int32_t id, std::int32_t kind, const char* text = nullptr) {
    const QvControlDescription controlDescription{id, kind, QvControlFrame{10, 20, 80, 20}, text, 0};
    return s_->CreateControl(window, &controlDescription);
  }

  plugin::Host host_;
  const QvUiSuite* s_ = nullptr;
  // Any pointer stands for the module: the toolkit only tells modules apart.
  QvPluginRef self_ = reinterpret_cast<QvPluginRef>(&host_);
};

}  // namespace workbench::ui::testing
