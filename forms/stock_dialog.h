#pragma once
// "设置": the stock plate thicknesses that "取规格尺寸" rounds up to, remembered for this user.

#include <QDialog>
#include <vector>

class QLineEdit;

namespace pedivo::forms {

class Interaction;

// The series remembered for this user; the default series when none was kept or it no longer reads.
std::vector<double> rememberedStockSeries(Interaction& interaction);
void rememberStockSeries(Interaction& interaction, const std::vector<double>& series);

class StockDialog final : public QDialog {
  Q_OBJECT
 public:
  StockDialog(const std::vector<double>& series, Interaction& interaction, QWidget* parent);
  // The series as accepted.
  const std::vector<double>& series() const { return series_; }

 public slots:
  // A text that is not a series of increasing thicknesses is refused with a message and the
  // dialog stays open.
  void accept() override;
  void restoreDefault();

 private:
  Interaction& interaction_;
  QLineEdit* edit_ = nullptr;
  std::vector<double> series_;
};

}  // namespace pedivo::forms
