// The port setup window: which entry it shows, the refresh while ports come and go, and
// what OK and Cancel keep.
#include "app/FrmComSet.h"

#include "editors/EditorTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

using zx::app::FrmComSet;
using zx::app::ListedPort;

void app() {
    zx::test::ensureApplication();
}

struct Fixture {
    zx::model::Workspace ws;
    QList<ListedPort> ports;
    std::vector<int> stored;

    std::unique_ptr<FrmComSet> open() {
        app();
        return std::make_unique<FrmComSet>(
            ws, [this] { return ports; }, [this](int n) { stored.push_back(n); });
    }
};

QComboBox* combo(FrmComSet& w) {
    return w.findChild<QComboBox*>("Combo1");
}

QStringList entries(QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

TEST(FrmComSet, LabelsInBothLanguages) {
    Fixture f;
    auto w = f.open();
    EXPECT_EQ(w->windowTitle(), "Communication Port");
    EXPECT_EQ(zx::test::plain(w->findChild<QLabel*>("Label1")->text()), "COM");
    EXPECT_EQ(w->findChild<QPushButton*>("CommandOK")->text(), "&OK");
    EXPECT_EQ(w->findChild<QPushButton*>("CommandCancel")->text(), "&Cancel");

    f.ws.state.language = zx::text::Chinese;
    auto zh = f.open();
    EXPECT_EQ(zh->windowTitle(), QString::fromUtf8("通信端口"));
    EXPECT_EQ(zx::test::plain(zh->findChild<QLabel*>("Label1")->text()),
              QString::fromUtf8("通信口"));
    EXPECT_EQ(zh->findChild<QPushButton*>("CommandOK")->text(), QString::fromUtf8("确定(&O)"));
    EXPECT_EQ(zh->findChild<QPushButton*>("CommandCancel")->text(), QString::fromUtf8("取消(&C)"));
}

TEST(FrmComSet, ShowsTheCurrentPortOrTheFirst) {
    Fixture f;
    f.ports = {{1, "/dev/ttyS0"}, {3, "/dev/ttyUSB0"}, {10, "/dev/pts/7"}};
    f.ws.state.comPort = 3;
    auto w = f.open();
    EXPECT_EQ(entries(combo(*w)), (QStringList{"COM1", "COM3", "COM10"}));
    EXPECT_EQ(combo(*w)->currentText(), "COM3");
    EXPECT_EQ(w->selectedPort(), 3);
    EXPECT_EQ(w->findChild<QLabel*>("LabelDevice")->text(), "/dev/ttyUSB0");

    f.ws.state.comPort = 7; // not listed
    auto other = f.open();
    EXPECT_EQ(combo(*other)->currentText(), "COM1");
    EXPECT_EQ(other->selectedPort(), 1);
}

TEST(FrmComSet, ShowsTheAdapterBesideItsDevice) {
    Fixture f;
    f.ports = {{3, "/dev/ttyUSB0", "CP2102 USB to UART Bridge (10c4:ea60)"}};
    f.ws.state.comPort = 3;
    auto w = f.open();
    EXPECT_EQ(combo(*w)->currentText(), "COM3") << "the entry still reads COM + number";
    const QString shown = "/dev/ttyUSB0  CP2102 USB to UART Bridge (10c4:ea60)";
    EXPECT_EQ(w->findChild<QLabel*>("LabelDevice")->text(), shown);
    EXPECT_EQ(combo(*w)->itemData(0, Qt::ToolTipRole).toString(), shown);
}

TEST(FrmComSet, OkKeepsTheChosenPortCancelNothing) {
    Fixture f;
    f.ports = {{1, {}}, {10, {}}};
    f.ws.state.comPort = 1;
    {
        auto w = f.open();
        combo(*w)->setCurrentIndex(1);
        emit combo(*w)->activated(1); // what a user's pick sends
        EXPECT_EQ(w->selectedPort(), 10);
        QTest::mouseClick(w->findChild<QPushButton*>("CommandCancel"), Qt::LeftButton);
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_EQ(f.ws.state.comPort, 1);
        EXPECT_TRUE(f.stored.empty());
    }
    {
        auto w = f.open();
        QTest::keyClick(combo(*w), Qt::Key_Down); // keyboard choice: COM1 -> COM10
        EXPECT_EQ(w->selectedPort(), 10);
        QTest::mouseClick(w->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_EQ(f.ws.state.comPort, 10);
        EXPECT_EQ(f.stored, std::vector<int>{10});
    }
}

TEST(FrmComSet, EmptyListGivesPortZeroAndWritesNothing) {
    Fixture f;
    f.ws.state.comPort = 4;
    auto w = f.open();
    EXPECT_EQ(combo(*w)->count(), 0);
    EXPECT_EQ(combo(*w)->currentIndex(), -1);
    EXPECT_EQ(w->selectedPort(), 0);
    QTest::mouseClick(w->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
    EXPECT_EQ(f.ws.state.comPort, 0);
    EXPECT_TRUE(f.stored.empty());
}

TEST(FrmComSet, RefreshFollowsPortsThatComeAndGo) {
    Fixture f;
    f.ports = {{1, {}}, {3, {}}};
    f.ws.state.comPort = 1;
    auto w = f.open();
    combo(*w)->setCurrentIndex(1);
    emit combo(*w)->activated(1);

    // A new port appears: listed, and the user's choice stays shown.
    f.ports = {{1, {}}, {3, {}}, {5, {}}};
    w->ReShowComPort();
    EXPECT_EQ(entries(combo(*w)), (QStringList{"COM1", "COM3", "COM5"}));
    EXPECT_EQ(combo(*w)->currentText(), "COM3");

    // The chosen adapter is pulled out: the first listed port is shown and taken.
    f.ports = {{1, {}}, {5, {}}};
    w->ReShowComPort();
    EXPECT_EQ(combo(*w)->currentText(), "COM1");
    EXPECT_EQ(w->selectedPort(), 1);

    // Everything gone.
    f.ports.clear();
    w->ReShowComPort();
    EXPECT_EQ(combo(*w)->count(), 0);
    EXPECT_EQ(w->selectedPort(), 0);
}

TEST(FrmComSet, TimerRefreshesEverySecondWhileOpenOnly) {
    Fixture f;
    int calls = 0;
    f.ports = {{2, {}}};
    app();
    FrmComSet w(
        f.ws,
        [&] {
            ++calls;
            return f.ports;
        },
        nullptr);
    EXPECT_EQ(calls, 1); // filled on load
    auto* timer = w.findChild<QTimer*>("ReShowComPortTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive());
    f.ports = {{2, {}}, {4, {}}};
    EXPECT_TRUE(QTest::qWaitFor([&] { return combo(w)->count() == 2; }, 2500));
    EXPECT_GE(calls, 2);
    w.reject();
    EXPECT_FALSE(timer->isActive());
}

TEST(FrmComSet, EntryNumbers) {
    EXPECT_EQ(zx::app::portNumberOfEntry("COM3"), 3);
    EXPECT_EQ(zx::app::portNumberOfEntry("COM10"), 10);
    EXPECT_EQ(zx::app::portNumberOfEntry("COM 12"), 12);
    EXPECT_EQ(zx::app::portNumberOfEntry("COMx"), -1);
    EXPECT_EQ(zx::app::portNumberOfEntry("COM"), -1);
}

} // namespace
