#include <UIKit/UIDatePicker.h>

#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UILabel.h>

#include <cstdio>

namespace ios {

namespace {

const auto registration = ClassRegistration<UIDatePicker, UIControl>("UIDatePicker");

constexpr CGFloat kButtonHeight = 44;

Calendar::Component unit(UIDatePicker::Column column) {
  switch (column) {
    case UIDatePicker::Column::day:
      return Calendar::Component::day;
    case UIDatePicker::Column::month:
      return Calendar::Component::month;
    case UIDatePicker::Column::year:
      return Calendar::Component::year;
  }
  return Calendar::Component::day;
}

std::shared_ptr<UIButton> makeStepButton(const char* title) {
  auto button = UIButton::create(UIButtonType::system);
  button->setTitle(std::string(title), UIControl::normal);
  button->setTitleColor(UIColor::systemBlue(), UIControl::normal);
  button->setTitleColor(UIColor::lightGray(), UIControl::disabled);
  button->titleLabel()->setFont(UIFont::systemFont(24));
  return button;
}

}  // namespace

std::shared_ptr<UIDatePicker> UIDatePicker::create(const CGRect& frame) {
  return std::make_shared<UIDatePicker>(frame);
}

UIDatePicker::UIDatePicker(const CGRect& frame) : UIControl(frame), date_(Date::now()) {
  setBackgroundColor(UIColor::white());
  for (int i = 0; i < 3; ++i) {
    auto& c = columns_[static_cast<std::size_t>(i)];
    c.up = makeStepButton("+");
    c.down = makeStepButton("−");
    c.value = UILabel::create();
    c.value->setFont(UIFont::systemFont(21));
    c.value->setTextAlignment(NSTextAlignment::center);
    const auto column = static_cast<Column>(i);
    for (const auto& [button, delta] : {std::pair{c.up, 1}, std::pair{c.down, -1}}) {
      // The picker owns its buttons, so they hold it weakly.
      button->addAction([this, column, delta = delta](UIControl&) { step(column, delta); },
                        UIControl::touchUpInside);
    }
  }
  refresh();
}

void UIDatePicker::setDate(Date date, bool) {
  date_ = clamped(date);
  refresh();
}

void UIDatePicker::setMinimumDate(std::optional<Date> date) {
  minimumDate_ = date;
  setDate(date_);
}

void UIDatePicker::setMaximumDate(std::optional<Date> date) {
  maximumDate_ = date;
  setDate(date_);
}

Date UIDatePicker::clamped(Date date) const {
  if (maximumDate_ && date > *maximumDate_) date = *maximumDate_;
  if (minimumDate_ && date < *minimumDate_) date = *minimumDate_;
  return date;
}

void UIDatePicker::step(Column column, int delta) {
  const auto moved = calendar.date(unit(column), delta, date_);
  if (!moved) return;
  const Date next = clamped(*moved);
  if (next == date_) return;
  date_ = next;
  refresh();
  sendActions(valueChanged);
}

std::string UIDatePicker::text(Column column) const {
  const auto parts = calendar.dateComponents(date_);
  char buffer[16];
  switch (column) {
    case Column::day:
      std::snprintf(buffer, sizeof buffer, "%02d", parts.day.value_or(0));
      break;
    case Column::month:
      std::snprintf(buffer, sizeof buffer, "%02d", parts.month.value_or(0));
      break;
    case Column::year:
      std::snprintf(buffer, sizeof buffer, "%d", parts.year.value_or(0));
      break;
  }
  return buffer;
}

std::shared_ptr<UIButton> UIDatePicker::stepButton(Column column, int delta) const {
  const auto& c = columns_[static_cast<std::size_t>(column)];
  return delta > 0 ? c.up : c.down;
}

void UIDatePicker::refresh() {
  for (int i = 0; i < 3; ++i) {
    const auto column = static_cast<Column>(i);
    auto& c = columns_[static_cast<std::size_t>(i)];
    c.value->setText(text(column));
    // A button that could not move the date any more is shown disabled.
    const auto up = calendar.date(unit(column), 1, date_);
    const auto down = calendar.date(unit(column), -1, date_);
    c.up->setEnabled(up && clamped(*up) != date_);
    c.down->setEnabled(down && clamped(*down) != date_);
  }
  setNeedsLayout();
}

void UIDatePicker::layoutSubviews() {
  UIControl::layoutSubviews();
  const CGRect b = bounds();
  const CGFloat width = b.width() / 3;
  for (std::size_t i = 0; i < 3; ++i) {
    auto& c = columns_[i];
    for (const auto& view :
         {std::static_pointer_cast<UIView>(c.up), std::static_pointer_cast<UIView>(c.value),
          std::static_pointer_cast<UIView>(c.down)})
      if (view->superview().get() != this) addSubview(view);
    const CGFloat x = width * static_cast<CGFloat>(i);
    c.up->setFrame(CGRect(x, 0, width, kButtonHeight));
    c.value->setFrame(CGRect(x, kButtonHeight, width, std::max<CGFloat>(0, b.height() - 2 * kButtonHeight)));
    c.down->setFrame(CGRect(x, b.height() - kButtonHeight, width, kButtonHeight));
  }
}

CGSize UIDatePicker::sizeThatFits(CGSize size) const {
  return CGSize{size.width > 0 ? size.width : 320, 216};
}

}  // namespace ios
