// The help page opens from the program's Help folder on machines without network access, so it
// must stand on its own: no stylesheet, script, picture or font fetched from anywhere.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "skin_files.h"

namespace talon::test {
namespace {

QString HelpPage() {
  QFile file(ProgramDir() + QStringLiteral("/Help/index.html"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

TEST(HelpPage, StandsOnItsOwn) {
  const QString page = HelpPage();
  ASSERT_FALSE(page.isEmpty()) << "Help/index.html is missing from the build folder";
  EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("<(link|script|img|iframe)\\b"),
                                                QRegularExpression::CaseInsensitiveOption)));
  EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("\\bsrc\\s*="))));
  EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("url\\((?!#)"))));
  EXPECT_FALSE(page.contains(QStringLiteral("@import")));
}

TEST(HelpPage, EveryLinkPointsIntoThePage) {
  const QString page = HelpPage();
  ASSERT_FALSE(page.isEmpty());
  QSet<QString> ids;
  for (auto it = QRegularExpression(QStringLiteral("\\bid=\"([^\"]+)\"")).globalMatch(page);
       it.hasNext();) {
    ids.insert(it.next().captured(1));
  }
  int links = 0;
  for (auto it = QRegularExpression(QStringLiteral("\\bhref=\"([^\"]*)\"")).globalMatch(page);
       it.hasNext();) {
    const QString target = it.next().captured(1);
    ++links;
    ASSERT_TRUE(target.startsWith(QLatin1Char('#'))) << target.toStdString();
    EXPECT_TRUE(ids.contains(target.mid(1))) << target.toStdString();
  }
  EXPECT_GT(links, 0);
}

}  // namespace
}  // namespace talon::test
