#include "app/ui/CompactStyle.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>

namespace pixkura {
namespace {

class TCompactStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing) return 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

QStyle* CompactStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new TCompactStyle;
    style->setParent(qApp);  // the application deletes it
  }
  return style;
}

}  // namespace pixkura
