// Window tests of the radio identity display: the display form of the identity texts, the
// band of the open document, read-only boxes, code page decoding and the Chinese texts.
#include "editors/EditorTestSupport.h"
#include "editors/FrmEMG.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace zx::editors {
namespace {

using test::control;
using test::plain;
using test::qs;

class EmgWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    void SetUp() override {
        model::RadioIdentity& id = ws.identity;
        id.modelText = "ZX-908HF";
        id.areaCode = "0086";
        id.serialNumber = "2024010200000001"; // all 16 characters used
        id.productionDate = std::string_view("2024/1/2\0", 9);
        id.maintenanceDate = std::string_view("\0", 1);
        id.maintenanceReason = "Display replaced";
        id.productionBatch = "01-1-E-1";
        id.customerCode = "001A";
        id.dealerCode = "D-42";
        id.stockDate = "2024/2/1";
        id.saleDate = "2024/3/1";
        id.seller = "Chen";
    }

    FrmEMG& open() {
        window = std::make_unique<FrmEMG>(ws, prompter);
        window->show();
        return *window;
    }
    QString box(const char* name) { return control<QLineEdit>(window.get(), name)->text(); }
    // A label as it reads, its Alt+letter aside.
    QString label(const char* name) { return plain(control<QLabel>(window.get(), name)->text()); }

    model::Workspace ws;
    test::ScriptedPrompter prompter;
    std::unique_ptr<FrmEMG> window;
};

TEST_F(EmgWindow, ShowsEveryFieldInDisplayForm) {
    ws.identity.serialNumber = "12345678"; // padded with eight blanks
    ws.identity.seller = std::string_view("Li\0  old name", 13);
    open();
    EXPECT_EQ(box("TextAreaCode"), "0086");
    EXPECT_EQ(box("TextManufactureCode"), "01-1-E-1");
    EXPECT_EQ(box("TextUserCode"), "001A");
    EXPECT_EQ(box("TextSerialNumber"), "12345678");
    EXPECT_EQ(box("TextProductedDate"), "2024/1/2");
    EXPECT_EQ(box("TextMaintainedDate"), "");
    EXPECT_EQ(box("TextVersion"), "V3.10");
    EXPECT_EQ(control<QPlainTextEdit>(window.get(), "TextMaintained")->toPlainText(),
              "Display replaced");
    EXPECT_EQ(box("TextDealerCode"), "D-42");
    EXPECT_EQ(box("TextStockDate"), "2024/2/1");
    EXPECT_EQ(box("TextSellDate"), "2024/3/1");
    EXPECT_EQ(box("TextSeller"), "Li");
    EXPECT_EQ(window->windowTitle(), "Embedded Message");
    EXPECT_EQ(label("LabelDescription"), "Description");

    auto* type = control<QComboBox>(window.get(), "ComboRadioType");
    ASSERT_EQ(type->count(), 1);
    EXPECT_EQ(type->currentText(), "ZX-908HF");
}

TEST(IdentityDisplayForm, TrailingBlanksGoFirstThenTheTextIsCutAtNul) {
    EXPECT_EQ(identityDisplayForm("ABC     "), "ABC");
    EXPECT_EQ(identityDisplayForm("  ABC"), "  ABC");
    EXPECT_EQ(identityDisplayForm(std::string_view("AB\0CD  ", 7)), "AB");
    // A blank before the NUL is not trailing: only blanks at the very end are removed.
    EXPECT_EQ(identityDisplayForm(std::string_view("AB \0  ", 6)), "AB ");
    EXPECT_EQ(identityDisplayForm(std::string_view("\0", 1)), "");
    EXPECT_EQ(identityDisplayForm("        "), "");
}

TEST_F(EmgWindow, FrequencyListShowsTheBandOfTheOpenDocument) {
    ws.state.bandText = model::kBandText1;
    open();
    auto* band = control<QComboBox>(window.get(), "ComboFrequency");
    ASSERT_EQ(band->count(), 1);
    EXPECT_EQ(band->currentText(), model::kBandText1);
    window->ShowByData(); // showing again does not add a second entry
    EXPECT_EQ(band->count(), 1);
    EXPECT_EQ(control<QComboBox>(window.get(), "ComboRadioType")->count(), 1);
}

TEST_F(EmgWindow, NothingCanBeChanged) {
    open();
    // The lists' own text fields included.
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        EXPECT_TRUE(edit->isReadOnly()) << edit->objectName().toStdString();
    EXPECT_TRUE(control<QPlainTextEdit>(window.get(), "TextMaintained")->isReadOnly());

    auto* serial = control<QLineEdit>(window.get(), "TextSerialNumber");
    serial->setFocus();
    QTest::keyClicks(serial, "999");
    QTest::keyClick(serial, Qt::Key_Backspace);
    EXPECT_EQ(serial->text(), "2024010200000001");
}

TEST_F(EmgWindow, ListsLookAndActLikeTheReadOnlyBoxes) {
    ws.identity.modelText = "ZX-908HF";
    open();
    const QImage box = control<QLineEdit>(window.get(), "TextSerialNumber")->grab().toImage();
    const QColor boxBackground = box.pixelColor(box.width() - 6, box.height() / 2);
    for (const char* name : {"ComboRadioType", "ComboFrequency"}) {
        auto* list = control<QComboBox>(window.get(), name);
        const QString shown = list->currentText();
        ASSERT_NE(list->lineEdit(), nullptr) << name;
        EXPECT_TRUE(list->lineEdit()->isReadOnly()) << name;

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_F4);
        QTest::keyClicks(list->lineEdit(), "x");
        list->showPopup();
        EXPECT_FALSE(list->view()->isVisible()) << name;
        EXPECT_EQ(list->currentText(), shown) << name;
        EXPECT_EQ(list->count(), 1) << name;

        // Where a drop-down button would be, the list shows the text boxes' background.
        const QImage image = list->grab().toImage();
        for (int x = image.width() - 14; x < image.width() - 4; ++x)
            EXPECT_EQ(image.pixelColor(x, image.height() / 2), boxBackground) << name << " x=" << x;
    }
}

TEST_F(EmgWindow, AreaCodeBoxTakesFourCharacters) {
    ws.identity.areaCode = "123456";
    open();
    EXPECT_EQ(box("TextAreaCode"), "1234");
}

TEST_F(EmgWindow, TextsAreDecodedWithTheSystemCodePage) {
    ws.identity.seller = "\xD6\xD0\xCE\xC4"; // "中文" in GBK
    ws.state.systemLanguage = text::Chinese;
    open();
    EXPECT_EQ(box("TextSeller"), qs("中文"));

    ws.identity.seller = "Jos\xE9"; // windows-1252
    ws.state.systemLanguage = text::English;
    window->ShowByData();
    EXPECT_EQ(box("TextSeller"), qs("José"));
}

TEST_F(EmgWindow, ChineseWindowShowsChineseTexts) {
    ws.state.language = text::Chinese;
    open();
    EXPECT_EQ(window->windowTitle(), qs("嵌入信息"));
    const std::pair<const char*, const char*> expected[] = {
        {"LabelAreaCode", "销售区号"},      {"LabelManufactureCode", "生产批号"},
        {"LabelUserCode", "客户代码"},      {"LabelRadioType", "机型"},
        {"LabelFrequency", "频段"},         {"LabelSerialNumber", "序列号"},
        {"LabelProductedDate", "出厂日期"}, {"LabelMaintainedDate", "维修日期"},
        {"LabelVersion", "固件版本"},       {"LabelMaintained", "维修原因"},
        {"LabelDescription", ""},           {"LabelDealerCode", "经销商代码"},
        {"LabelStockDate", "入库时间"},     {"LabelSellDate", "销售时间"},
        {"LabelSeller", "经手人"}};
    for (const auto& [name, text] : expected)
        EXPECT_EQ(label(name), qs(text)) << name;
    EXPECT_EQ(control<QGroupBox>(window.get(), "FrameDealer")->title(), qs("销售商信息"));
    EXPECT_EQ(control<QPushButton>(window.get(), "CommandClose")->text(), qs("关闭(&C)"));
}

TEST_F(EmgWindow, CloseButtonEndsTheModalWindow) {
    open();
    QTest::mouseClick(control<QPushButton>(window.get(), "CommandClose"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

} // namespace
} // namespace zx::editors
