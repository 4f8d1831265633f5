// Accessible names of controls without a label.
#include "editors/AccessibleName.h"

#include <QComboBox>
#include <QLabel>
#include <QVariant>

namespace zx::editors {

namespace {
const char* const kUnseenLabel = "zxUnseenLabel";
} // namespace

void nameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    if (!qobject_cast<QComboBox*>(control) || control->parentWidget() == nullptr)
        return;
    auto* label = qobject_cast<QLabel*>(control->property(kUnseenLabel).value<QObject*>());
    if (label == nullptr) {
        // A sibling of the list: that is where a reader looks for the label of a control.
        label = new QLabel(control->parentWidget());
        label->setObjectName(control->objectName() + QStringLiteral("_Name"));
        label->setTextFormat(Qt::PlainText);
        label->hide();
        label->setProperty(kUnseenLabelMark, true); // no Alt+letter for it
        label->setBuddy(control);
        control->setProperty(kUnseenLabel, QVariant::fromValue<QObject*>(label));
    }
    label->setText(name);
}

} // namespace zx::editors
