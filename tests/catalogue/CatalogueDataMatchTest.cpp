// Every example of the catalogue's seven pages is installed with its source and answer, and
// "View Answer" finds them.
#include "Pitchwell/Catalogue.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace pitchwell;

TEST(CatalogueTabs, EveryExampleOfTheSevenPagesHasItsSourceAndAnswerInstalled)
{
    const std::string all = std::string(TK_SOURCE_DIR) + "/Pitchwell/demos/all";
    std::vector<std::size_t> perPage;
    for (const CatalogueTab& tab : CatalogueTabs()) {
        perPage.push_back(tab.Files.size());
        EXPECT_EQ(tab.Descriptions.size(), tab.Files.size()) << tab.Caption;
        for (const std::string& file : tab.Files) {
            EXPECT_TRUE(QFileInfo(QString::fromStdString(all + "/" + file)).isFile()) << file;
            EXPECT_TRUE(QFileInfo(QString::fromStdString(all + "/answers/" + AnswerName(file))).isFile()) << file;
        }
    }
    EXPECT_EQ(perPage, (std::vector<std::size_t> {20, 11, 6, 2, 2, 18, 7}));
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
