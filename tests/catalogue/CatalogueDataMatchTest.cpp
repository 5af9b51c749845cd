// The page's catalogue is the installed catalogue, entry for entry, and every entry of it is
// installed with a source.
#include "Pitchwell/Catalogue.h"
#include "Pitchwell/CatalogueData.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace pitchwell;

TEST(CatalogueTabs, MatchTheCatalogueEntryForEntry)
{
    const std::vector<CatalogueTab> tabs = CatalogueTabs();
    const std::vector<CatalogueSection>& pages = CatalogueSections();
    ASSERT_EQ(tabs.size(), pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(tabs[p].Caption, pages[p].Caption);
        EXPECT_EQ(tabs[p].ButtonArray, pages[p].ButtonArray);
        EXPECT_EQ(tabs[p].LabelArray, pages[p].LabelArray);
        ASSERT_EQ(tabs[p].Files.size(), pages[p].Entries.size());
        for (std::size_t i = 0; i < pages[p].Entries.size(); ++i) {
            EXPECT_EQ(tabs[p].Files[i], pages[p].Entries[i].File);
            EXPECT_EQ(tabs[p].Descriptions[i], pages[p].Entries[i].Description);
        }
    }
}

TEST(CatalogueTabs, EveryExampleHasItsSourceAndAnswerInstalled)
{
    const std::string all = std::string(TK_SOURCE_DIR) + "/Pitchwell/demos/all";
    for (const CatalogueTab& tab : CatalogueTabs()) {
        for (const std::string& file : tab.Files) {
            EXPECT_TRUE(QFileInfo(QString::fromStdString(all + "/" + file)).isFile()) << file;
            EXPECT_TRUE(QFileInfo(QString::fromStdString(all + "/answers/" + AnswerName(file))).isFile()) << file;
        }
    }
}

TEST(CatalogueTabs, ViewAnswerFindsEveryShippedAnswerAndPlot)
{
    LauncherPaths paths;
    paths.OwnDir = std::string(TK_SOURCE_DIR) + "/Pitchwell";
    paths.BaseDir = TK_SOURCE_DIR;
    const std::string viewer = ViewerProgram(paths);
    const auto exists = [&](const std::string& path) {
        return path == viewer || QFileInfo(QString::fromStdString(path)).isFile();
    };
    int withPlot = 0;
    for (const CatalogueTab& tab : CatalogueTabs()) {
        for (const std::string& file : tab.Files) {
            SCOPED_TRACE(file);
            const ViewAnswerPlan plan = PlanViewAnswer(paths, file, exists);
            ASSERT_TRUE(plan.Go);
            EXPECT_TRUE(QFileInfo(QString::fromStdString(plan.AnswerFile)).isFile());
            ASSERT_TRUE(plan.StartViewer);
            EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(plan.ViewerArgument)));
            withPlot += plan.SaveRequest;
        }
    }
    EXPECT_GE(withPlot, 15);
}
