// The per-user store of the desktop program lives in the programs' one folder of the user, and
// a store that an earlier version kept in a second folder is moved there.
#include "platform/Installation.h"
#include "platform/UserStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zx::platform {
namespace {

TEST(UserStore, LivesBesideTheSettingsAndTakesOverTheStoreOfAnEarlierVersion) {
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    ASSERT_EQ(Installation::userConfigFolder(), config.filePath("zx908hf"));

    // An earlier version's store, with a placement and recent files in it.
    QDir(config.path()).mkpath("ZX-908HF");
    const QString earlier = config.filePath("ZX-908HF/ZX-908HF.ini");
    {
        QFile f(earlier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Settings]\nMainLeft=1234\n\n[RecentFiles]\nFile1=/home/a/one.dat\n");
    }
    const UserStore store(QStringLiteral("ZX-908HF"));
    EXPECT_EQ(store.path(), config.filePath("zx908hf/ZX-908HF.ini"));
    EXPECT_EQ(store.loadPlacement().left, 1234);
    EXPECT_FALSE(QFile::exists(earlier));
    EXPECT_FALSE(QDir(config.filePath("ZX-908HF")).exists()) << "no second folder is left";

    // Once moved, a new store there stays as it is.
    UserStore again(QStringLiteral("ZX-908HF"));
    EXPECT_TRUE(again.savePlacement({1, 2, 3000, 4000}));
    EXPECT_EQ(UserStore(QStringLiteral("ZX-908HF")).loadPlacement().width, 3000);
    EXPECT_EQ(QDir(config.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"zx908hf"});

    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
} // namespace zx::platform
