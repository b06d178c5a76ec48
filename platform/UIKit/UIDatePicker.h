#pragma once

#include <Foundation/Calendar.h>
#include <Foundation/Date.h>
#include <UIKit/UIControl.h>

#include <array>
#include <memory>
#include <optional>

namespace ios {

class UIButton;
class UILabel;

// Raw values as UIKit's.
enum class UIDatePickerMode { time = 0, date = 1, dateAndTime = 2, countDownTimer = 3 };

// Picks a day. Drawn without wheels: three columns (day, month, year), each with a "+" button above
// and a "−" button below its value. A step moves the date by one unit in the current calendar
// (keeping the time of day, a month or year step clamping the day to the month's length), then keeps
// it within `minimumDate`...`maximumDate`, and sends `valueChanged` when the date moved. Setting
// `date` in code sends nothing, as on the platform.
class UIDatePicker : public UIControl {
 public:
  static std::shared_ptr<UIDatePicker> create(const CGRect& frame = CGRect(0, 0, 320, 216));
  explicit UIDatePicker(const CGRect& frame);

  enum class Column { day = 0, month = 1, year = 2 };

  // Stored: every mode shows the date columns.
  UIDatePickerMode datePickerMode = UIDatePickerMode::dateAndTime;

  // `date` starts at the moment the picker is made.
  Date date() const { return date_; }
  void setDate(Date date, bool animated = false);
  const std::optional<Date>& minimumDate() const { return minimumDate_; }
  void setMinimumDate(std::optional<Date> date);
  const std::optional<Date>& maximumDate() const { return maximumDate_; }
  void setMaximumDate(std::optional<Date> date);

  // One step of a column, as a tap on its button does; sends `valueChanged` when the date moved.
  void step(Column column, int delta);
  // The column's value as shown ("06", "12", "2026").
  std::string text(Column column) const;
  // The button that steps `column` up (delta > 0) or down.
  std::shared_ptr<UIButton> stepButton(Column column, int delta) const;

  // The calendar that steps and shows the date.
  Calendar calendar = Calendar::current();

  void layoutSubviews() override;
  CGSize sizeThatFits(CGSize size) const override;

 private:
  struct ColumnViews {
    std::shared_ptr<UIButton> down;
    std::shared_ptr<UILabel> value;
    std::shared_ptr<UIButton> up;
  };
  Date clamped(Date date) const;
  void refresh();

  Date date_;
  std::optional<Date> minimumDate_;
  std::optional<Date> maximumDate_;
  std::array<ColumnViews, 3> columns_;
};

}  // namespace ios
