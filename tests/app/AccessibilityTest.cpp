// Every window of the desktop program as a screen reader and a keyboard user meet it, in
// both languages: each interactive control named, each label linked to its control, an
// Alt+letter on every labelled control and button, unique in its window (the child windows
// share their frame with the menu bar), every control reached by Tab, and no control that
// keeps Tab to itself. The share of named controls per window is printed for the record.
#include "app/AppTestSupport.h"
#include "app/FrmAbout.h"
#include "app/FrmBackups.h"
#include "app/FrmComSet.h"
#include "app/FrmCompare.h"
#include "app/FrmFind.h"
#include "app/FrmFleet.h"
#include "app/FrmFolderPath.h"
#include "app/FrmImportChoice.h"
#include "app/FrmPrintList.h"
#include "app/FrmProgress.h"
#include "app/FrmSetLanguage.h"
#include "app/RadioController.h"
#include "editors/FrmEMG.h"
#include "editors/FrmFillChannels.h"
#include "model/ChannelTable.h"
#include "platform/BackupStore.h"
#include "platform/PortCatalog.h"
#include "support/AccessibilityWalk.h"
#include "support/TextFit.h"
#include "text/Language.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace zx::test {
namespace {

// The Alt+letters of the menu bar, which a child window of the workspace must leave alone.
QString menuBarLetters(app::frmMain& w) {
    QString letters;
    for (QAction* menu : w.menuBar()->actions())
        if (QChar c = a11y::mnemonicOf(menu->text()); !c.isNull())
            letters += c;
    return letters;
}

struct Case {
    const char* window;
    int language;
};

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.window) + (info.param.language == text::English ? "_en" : "_zh");
}

class AccessibilityTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        ensureAppApplication();
        // The font tests run with a theme's larger font: a fifth larger than the default.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        if (test.find("LargerFont") != std::string::npos) {
            defaultFont = QApplication::font();
            QFont larger = defaultFont;
            larger.setPointSizeF(defaultFont.pointSizeF() * 1.2);
            QApplication::setFont(larger);
            fontChanged = true;
        }
        harness = std::make_unique<AppHarness>(inst, GetParam().language == text::English
                                                         ? QStringLiteral("409")
                                                         : QStringLiteral("804"));
        main().workspace().state.language = GetParam().language;
        main().Change_Language();
        model::addChannel(main().workspace(), 0, 2, "28.200000");
        main().refreshOpenEditors();
    }
    void TearDown() override {
        for (QWidget* w : owned)
            delete w;
        harness.reset();
        if (fontChanged)
            QApplication::setFont(defaultFont);
    }

    app::frmMain& main() { return harness->window(); }
    model::Workspace& ws() { return main().workspace(); }
    int language() const { return GetParam().language; }

    // A window shown on its own, deleted after the test.
    QWidget* show(QWidget* w) {
        owned.push_back(w);
        w->show();
        return w;
    }

    // The window named by the case, shown where the program shows it; `skip` and `reserved`
    // as the walk takes them.
    QWidget* open(std::function<bool(QWidget*)>& skip, QString& reserved) {
        const QString name = QLatin1String(GetParam().window);
        auto child = [&](app::ChildWindow which) {
            reserved = menuBarLetters(main());
            return main().openChildWindow(which);
        };
        if (name == "frmMain") {
            main().closeAllChildWindows();
            QMdiArea* workspace = main().mdiArea();
            skip = [workspace](QWidget* w) { return workspace->isAncestorOf(w); };
            return &main();
        }
        if (name == "frmCommChInfo")
            return child(app::ChildWindow::ChannelInfo);
        if (name == "FrmOptFeatures")
            return child(app::ChildWindow::OptFeatures);
        if (name == "FrmEmbMsg")
            return child(app::ChildWindow::EmbMsg);
        if (name == "FrmEMG")
            return show(new editors::FrmEMG(ws(), harness->prompter));
        if (name == "FrmFillChannels")
            return show(new editors::FrmFillChannels(ws(), harness->prompter, 0, 3));
        if (name == "FrmComSet")
            return show(new app::FrmComSet(
                ws(),
                [] {
                    return QList<app::ListedPort>{{1, QStringLiteral("/dev/ttyUSB0")},
                                                  {2, QStringLiteral("/dev/ttyUSB1")}};
                },
                [](int) {}));
        if (name == "FrmProgress") {
            auto* w =
                new app::FrmProgress(link::OperationKind::Write, language(), harness->prompter);
            w->setPhase(QStringLiteral("Writing"));
            w->SetProgressValue(42);
            return show(w);
        }
        if (name == "FrmPrintList")
            return show(new app::FrmPrintList(ws()));
        if (name == "FrmSetLanguage")
            return show(new app::FrmSetLanguage(ws().state, inst.settingsPath()));
        if (name == "FrmAbout")
            return show(new app::FrmAbout(language(), QStringLiteral("ZX-908HF"), harness->prompter,
                                          [] { return QString(); }));
        if (name == "FrmFind")
            return show(new app::FrmFind(QStringLiteral("28.2"), language()));
        if (name == "FrmBackups")
            return show(new app::FrmBackups(main().radio().backups(), language(), 1, [] {}));
        if (name == "FrmCompare")
            return show(new app::FrmCompare(QStringLiteral("2 differences"),
                                            {QStringLiteral("A-2 RX Frequency: 28.2 / 28.3")},
                                            language()));
        if (name == "FrmImportChoice") {
            std::vector<exchange::GroupImport> plan(1);
            plan[0].added = {3, 4};
            plan[0].replaced = {2};
            return show(new app::FrmImportChoice(plan, QStringLiteral("two.csv"), 3, language()));
        }
        if (name == "FrmFolderPath")
            return show(new app::FrmFolderPath(inst.root(), language()));
        if (name == "FrmFleet") {
            app::FrmFleet::Setup setup;
            setup.document = &ws();
            setup.catalog = &main().radio().catalog();
            setup.dialogs = &harness->dialogs;
            setup.prompter = &harness->prompter;
            setup.today = QDate(2026, 12, 8);
            return show(new app::FrmFleet(setup));
        }
        ADD_FAILURE() << "no such window " << GetParam().window;
        return nullptr;
    }

    TempInstallation inst;
    std::unique_ptr<AppHarness> harness;
    std::vector<QWidget*> owned;
    QFont defaultFont;
    bool fontChanged = false;
};

TEST_P(AccessibilityTest, EveryControlIsNamedLinkedLetteredAndReachedByTab) {
    std::function<bool(QWidget*)> skip;
    QString reserved;
    QWidget* window = open(skip, reserved);
    ASSERT_NE(window, nullptr);
    const a11y::Findings found = a11y::walk(window, a11y::AllRules, skip, reserved);
    std::printf("named controls %-16s %s %2d of %2d = %5.1f %%\n", GetParam().window,
                language() == text::English ? "en" : "zh", found.named, found.interactive,
                found.share());
    EXPECT_GT(found.interactive, 0);
    EXPECT_TRUE(found.all().isEmpty()) << found.all().join(QLatin1Char('\n')).toStdString();
}

TEST_P(AccessibilityTest, EveryTextFitsItsControlWithALargerFont) {
    std::function<bool(QWidget*)> skip;
    QString reserved;
    QWidget* window = open(skip, reserved);
    ASSERT_NE(window, nullptr);
    a11y::settle();
    const QStringList cut = fit::clippedTexts(window, skip);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
}

const Case kCases[] = {
    {"frmMain", text::English},         {"frmMain", text::Chinese},
    {"frmCommChInfo", text::English},   {"frmCommChInfo", text::Chinese},
    {"FrmOptFeatures", text::English},  {"FrmOptFeatures", text::Chinese},
    {"FrmEmbMsg", text::English},       {"FrmEmbMsg", text::Chinese},
    {"FrmEMG", text::English},          {"FrmEMG", text::Chinese},
    {"FrmFillChannels", text::English}, {"FrmFillChannels", text::Chinese},
    {"FrmComSet", text::English},       {"FrmComSet", text::Chinese},
    {"FrmProgress", text::English},     {"FrmProgress", text::Chinese},
    {"FrmPrintList", text::English},    {"FrmPrintList", text::Chinese},
    {"FrmSetLanguage", text::English},  {"FrmSetLanguage", text::Chinese},
    {"FrmAbout", text::English},        {"FrmAbout", text::Chinese},
    {"FrmFind", text::English},         {"FrmFind", text::Chinese},
    {"FrmBackups", text::English},      {"FrmBackups", text::Chinese},
    {"FrmCompare", text::English},      {"FrmCompare", text::Chinese},
    {"FrmImportChoice", text::English}, {"FrmImportChoice", text::Chinese},
    {"FrmFolderPath", text::English},   {"FrmFolderPath", text::Chinese},
    {"FrmFleet", text::English},        {"FrmFleet", text::Chinese},
};

INSTANTIATE_TEST_SUITE_P(Windows, AccessibilityTest, ::testing::ValuesIn(kCases), caseName);

} // namespace
} // namespace zx::test
