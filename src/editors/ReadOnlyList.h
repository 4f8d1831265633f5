// A drop-down list that only shows its entry: it looks like the read-only text boxes beside it
// (a read-only text field, no drop-down button) and offers no way to choose another entry.
// The radio identity display shows its "Radio Type" and "Frequency" lists this way.
#pragma once

#include <QComboBox>

namespace zx::editors {

class ReadOnlyList : public QComboBox {
    Q_OBJECT
public:
    explicit ReadOnlyList(QWidget* parent = nullptr);

    void showPopup() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void coverWithLineEdit();
};

} // namespace zx::editors
