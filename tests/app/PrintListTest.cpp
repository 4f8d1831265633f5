// The print-items window and the pages it prints: the items choose what is printed, "&Set"
// opens the preview, and the pages carry the chosen groups, options, message and identity in
// the current language.
#include "AppTestSupport.h"
#include "app/FrmPrintList.h"
#include "model/ChannelTable.h"
#include "model/Defaults.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QPdfWriter>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace zx::test {
namespace {

QCheckBox* check(QWidget& w, int n) {
    return w.findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n));
}

QComboBox* list(QWidget& w, const char* name) {
    return w.findChild<QComboBox*>(QLatin1String(name));
}

QPushButton* button(QWidget& w, const char* name) {
    return w.findChild<QPushButton*>(QLatin1String(name));
}

class PrintListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureAppApplication();
        ws = defaultWorkspace();
        model::addChannel(ws, 1, 7, "28.777770");
        model::addChannel(ws, 2, 9, "29.555550");
    }
    static model::Workspace defaultWorkspace() {
        model::Workspace w;
        model::buildTestFrequencyDefaults(w.state);
        model::resetDocument(w, model::Today{2024, 3, 9, "2024-03-09"});
        w.state.currentFileName = "/some/folder/plan.dat";
        return w;
    }
    model::Workspace ws;
};

TEST_F(PrintListTest, ItemsChooseWhatIsPrinted) {
    app::FrmPrintList w(ws);
    EXPECT_EQ(w.windowTitle(), "ZX_908HF Radio Programming Information");
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(check(w, n)->isChecked()) << n;
    // No identity was read: there is no radio identity to print.
    EXPECT_FALSE(check(w, 4)->isEnabled());
    EXPECT_FALSE(check(w, 4)->isChecked());
    EXPECT_EQ(list(w, "TextStart")->currentText(), "A");
    EXPECT_EQ(list(w, "TextEnd")->currentText(), "F");

    button(w, "CommandClearAll")->click();
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(check(w, n)->isChecked()) << n;
    EXPECT_FALSE(button(w, "CommandSet")->isEnabled());
    EXPECT_FALSE(list(w, "TextStart")->isEnabled());

    check(w, 1)->setChecked(true);
    EXPECT_TRUE(button(w, "CommandSet")->isEnabled());
    list(w, "TextEnd")->setCurrentIndex(2);
    list(w, "TextStart")->setCurrentIndex(4); // past End: End follows
    EXPECT_EQ(list(w, "TextEnd")->currentIndex(), 4);
    list(w, "TextStart")->setCurrentIndex(1);
    list(w, "TextEnd")->setCurrentIndex(2);
    const app::PrintSelection s = w.selection();
    EXPECT_TRUE(s.channels);
    EXPECT_FALSE(s.options || s.localInformation || s.embeddedMessage);
    EXPECT_EQ(s.firstGroup, 1);
    EXPECT_EQ(s.lastGroup, 2);

    button(w, "CommandSelectAll")->click();
    EXPECT_TRUE(check(w, 2)->isChecked());
    EXPECT_EQ(w.selection().lastGroup, 5);
    EXPECT_EQ(w.source().fileName, "plan.dat");
}

TEST_F(PrintListTest, PagesHoldTheChosenItemsInTheCurrentLanguage) {
    ws.record.embeddedMessage[0] = std::string("CQ CQ") + '\0';
    ws.identityRead = true;
    ws.identity.serialNumber = "SN-0042";
    app::FrmPrintList w(ws);
    EXPECT_FALSE(check(w, 4)->isChecked()) << "a read identity is printed only when chosen";
    check(w, 4)->setChecked(true);
    list(w, "TextStart")->setCurrentIndex(1);
    list(w, "TextEnd")->setCurrentIndex(1);

    QString body = app::printBody(w.source(), w.selection());
    EXPECT_TRUE(body.contains("Channel Information Group B"));
    EXPECT_TRUE(body.contains("28.777770"));
    EXPECT_FALSE(body.contains("Group A")) << "only B was chosen";
    EXPECT_FALSE(body.contains("29.555550"));
    EXPECT_TRUE(body.contains("TOT[s]"));
    EXPECT_TRUE(body.contains("CQ CQ"));
    EXPECT_TRUE(body.contains("SN-0042"));

    check(w, 4)->setChecked(false);
    EXPECT_FALSE(app::printBody(w.source(), w.selection()).contains("SN-0042"));

    ws.state.language = text::Chinese;
    app::FrmPrintList chinese(ws);
    EXPECT_EQ(chinese.windowTitle(), "ZX_908HF 写频信息");
    body = app::printBody(chinese.source(), chinese.selection());
    EXPECT_TRUE(body.contains(u8("信道信息组 C")));
    EXPECT_TRUE(body.contains(u8("接收频率")));
    EXPECT_TRUE(body.contains(u8("使用")));

    // The pages themselves: a PDF with a page per screenful.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        EXPECT_GE(app::printPages(writer, w.source(), w.selection()), 1);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
}

TEST_F(PrintListTest, SetOpensThePreviewAndTheMainWindowOpensTheItems) {
    app::FrmPrintList w(ws);
    QString opened;
    const auto noteAndClose = [&opened](QWidget* modal) {
        opened = modal->objectName();
        modal->close();
    };
    AppHarness::onNextModal(noteAndClose);
    button(w, "CommandSet")->click();
    EXPECT_EQ(opened, "PrintPreview");

    TempInstallation inst;
    AppHarness harness(inst);
    app::frmMain& main = harness.window();
    for (const char* name : {"mnuFilePrint", "打印"}) {
        QAction* entry = main.findChild<QAction*>(QString::fromUtf8(name));
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_TRUE(entry->isEnabled()) << name;
        opened.clear();
        AppHarness::onNextModal(noteAndClose);
        entry->trigger();
        EXPECT_EQ(opened, "FrmPrintList") << name;
    }
}

TEST(PrintPaper, LetterWhereTheLocaleUsesIt) {
    EXPECT_EQ(app::paperFor(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::Letter);
    EXPECT_EQ(app::paperFor(QLocale(QLocale::French, QLocale::Canada)), QPageSize::Letter);
    EXPECT_EQ(app::paperFor(QLocale(QLocale::Chinese, QLocale::China)), QPageSize::A4);
    EXPECT_EQ(app::paperFor(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);
}

} // namespace
} // namespace zx::test
