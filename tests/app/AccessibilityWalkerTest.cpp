// The accessibility walk itself: a small window without faults passes, and each fault the
// walk is there to find is found by its own rule and only reported when that rule is on.
#include "app/AppTestSupport.h"
#include "editors/AccessibleName.h"
#include "support/AccessibilityWalk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

// A line that keeps Tab for itself, as a grid that moves from cell to cell does.
class TabEater : public QLineEdit {
protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
};

struct WithApplication {
    WithApplication() { ensureAppApplication(); }
};

// "Port" + list + line + OK, every control named, linked and lettered.
struct Sample : WithApplication {
    QWidget window;
    QLabel* label = new QLabel(QStringLiteral("&Port"));
    QComboBox* list = new QComboBox;
    QLineEdit* line = new QLineEdit;
    QPushButton* ok = new QPushButton(QStringLiteral("&OK"));

    Sample() {
        window.setObjectName(QStringLiteral("Sample"));
        list->setObjectName(QStringLiteral("List"));
        list->addItems({QStringLiteral("COM1"), QStringLiteral("COM2")});
        line->setAccessibleName(QStringLiteral("Note"));
        label->setBuddy(list);
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(list);
        auto* column = new QVBoxLayout(&window);
        column->addLayout(row);
        column->addWidget(line);
        column->addWidget(ok);
    }
    a11y::Findings walk(unsigned rules = a11y::AllRules) {
        window.show();
        return a11y::walk(&window, rules);
    }
};

TEST(AccessibilityWalker, ANamedLinkedLetteredWindowPasses) {
    Sample s;
    const a11y::Findings f = s.walk();
    EXPECT_EQ(f.interactive, 3);
    EXPECT_EQ(f.named, 3);
    EXPECT_TRUE(f.all().isEmpty()) << f.all().join(QLatin1Char('\n')).toStdString();
}

TEST(AccessibilityWalker, EachFaultIsFoundByItsRuleOnly) {
    {
        // A list named by nothing but its value.
        Sample s;
        s.label->setBuddy(nullptr);
        s.label->setText(QStringLiteral("Port"));
        const a11y::Findings f = s.walk();
        EXPECT_EQ(f.named, 2);
        EXPECT_EQ(f.unnamed.size(), 1);
        EXPECT_EQ(f.labels.size(), 1) << "the label beside the list names it not";
        EXPECT_TRUE(s.walk(a11y::AllRules & ~a11y::Names & ~a11y::Labels).all().isEmpty());
    }
    {
        // An Alt+letter on a label that moves to no control.
        Sample s;
        s.label->setBuddy(nullptr);
        editors::nameControl(s.list, QStringLiteral("Port"));
        EXPECT_FALSE(s.walk().labels.isEmpty());
        EXPECT_TRUE(s.walk(a11y::AllRules & ~a11y::Labels).all().isEmpty());
    }
    {
        // A button without its Alt+letter, and two controls on one letter.
        Sample s;
        s.ok->setText(QStringLiteral("OK"));
        EXPECT_EQ(s.walk().mnemonics.size(), 1);
        s.ok->setText(QStringLiteral("&Port"));
        EXPECT_EQ(s.walk().mnemonics.size(), 1);
        EXPECT_TRUE(s.walk(a11y::AllRules & ~a11y::Mnemonics).all().isEmpty());
    }
    {
        // A control Tab passes by.
        Sample s;
        s.line->setFocusPolicy(Qt::ClickFocus);
        const a11y::Findings f = s.walk();
        ASSERT_EQ(f.unreachable.size(), 1);
        EXPECT_TRUE(f.unreachable.front().contains(QLatin1String("QLineEdit")));
        EXPECT_TRUE(s.walk(a11y::AllRules & ~a11y::Reach).all().isEmpty());
    }
    {
        // A control that keeps Tab: the focus never moves on, and what follows is never reached.
        ensureAppApplication();
        QWidget window;
        auto* eater = new TabEater;
        eater->setAccessibleName(QStringLiteral("Cells"));
        auto* after = new QPushButton(QStringLiteral("&Close"));
        auto* column = new QVBoxLayout(&window);
        column->addWidget(eater);
        column->addWidget(after);
        window.show();
        const a11y::Findings f = a11y::walk(&window);
        EXPECT_FALSE(f.traps.isEmpty());
        EXPECT_EQ(f.unreachable.size(), 1);
        EXPECT_TRUE(
            a11y::walk(&window, a11y::AllRules & ~a11y::Traps & ~a11y::Reach).all().isEmpty());
    }
}

TEST(AccessibilityWalker, LettersOfTheSurroundingFrameAreTaken) {
    Sample s;
    s.window.show();
    EXPECT_EQ(a11y::walk(&s.window, a11y::Mnemonics, {}, QStringLiteral("FO")).mnemonics.size(), 1);
}

} // namespace
} // namespace zx::test
