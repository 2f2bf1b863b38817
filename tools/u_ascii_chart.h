// The character chart: the 255 non-zero codes of code page 1255, each beside
// the character it stands for, as the text panes show it. Created once,
// shown modally, closed with OK.
#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTableWidget;

namespace quorvandel {

class TASCIIChart : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* help_keyword = "ASCIIChart";

  explicit TASCIIChart(QWidget* parent = nullptr);

  // The text of the chart's cell at `column` 0..1 and `row` 0..255, where
  // row 0 is the header and row r lists code r.
  QString Cell_text(int column, int row) const;

  // Esc and the close box end the chart with mr_cancel; OK gives mr_ok.
  void reject() override;

  QTableWidget* Chart;
  QWidget* Bottom_panel;
  QPushButton* BitBtn1;  // "OK": mr_ok; the default button

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  // Shares the window's width between the two columns and centres OK under
  // them; the window's width here includes its borders.
  void FormResize();
  // The size to give the window's inside so that, with the borders the
  // window system draws, it is `outer` pixels across.
  QSize Inner_size(QSize outer) const;

  bool sized_for_frame_ = false;
};

}  // namespace quorvandel
