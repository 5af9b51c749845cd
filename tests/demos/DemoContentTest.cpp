// The shipped examples: every catalogue entry has its source and answer, the generated files
// are exactly what the generator makes, and every plot file reads as the plot type it stands
// for, with the curve blocks its pole-zero section promises.
#include "Pitchwell/CatalogueData.h"
#include "common/Dialogs.h"
#include "plots/data/PlotReader.h"
#include "plots/run/ViewerHost.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path ExamplesDir = fs::path(TK_SOURCE_DIR) / "Pitchwell" / "demos" / "all";
const fs::path AnswersDir = ExamplesDir / "answers";

std::string Bytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string AnswerName(std::string file)
{
    for (std::size_t at = file.find(".qz"); at != std::string::npos; at = file.find(".qz", at))
        file.replace(at, 3, ".out");
    return file;
}

std::set<std::string> FilesBelow(const fs::path& root)
{
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            out.insert(fs::relative(e.path(), root).generic_string());
    return out;
}

}  // namespace

TEST(DemoContent, EveryCatalogueEntryHasItsSourceAndAnswer)
{
    int entries = 0;
    for (const pitchwell::CatalogueSection& page : pitchwell::CatalogueSections())
        for (const pitchwell::CatalogueEntry& e : page.Entries) {
            ++entries;
            EXPECT_TRUE(fs::is_regular_file(ExamplesDir / e.File)) << e.File;
            EXPECT_TRUE(fs::is_regular_file(AnswersDir / AnswerName(e.File))) << AnswerName(e.File);
            EXPECT_GT(fs::file_size(ExamplesDir / e.File), 100u) << e.File;
        }
    EXPECT_EQ(entries, 66);
}

TEST(DemoContent, SourcesUseTheStatementsOfTheReference)
{
    // Every QZ source states a problem the way the two statement summaries describe it.
    for (const pitchwell::CatalogueSection& page : pitchwell::CatalogueSections())
        for (const pitchwell::CatalogueEntry& e : page.Entries) {
            if (e.File.size() < 3 || e.File.substr(e.File.size() - 3) != ".qz")
                continue;
            const std::string text = Bytes(ExamplesDir / e.File);
            EXPECT_NE(text.find("TITLE"), std::string::npos) << e.File;
            EXPECT_TRUE(text.find("FIND") != std::string::npos || text.find("INITIATE") != std::string::npos)
                << e.File;
            EXPECT_NE(text.find("END"), std::string::npos) << e.File;
        }
}

TEST(DemoContent, GeneratorReproducesTheShippedFilesByteForByte)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess gen;
    gen.start(QString::fromUtf8(DEMOGEN_PATH), {out.path()});
    ASSERT_TRUE(gen.waitForFinished(-1));
    ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();

    const fs::path made = out.path().toStdString();
    const std::set<std::string> generated = FilesBelow(made);
    EXPECT_GE(generated.size(), 40u);
    for (const std::string& name : generated) {
        ASSERT_TRUE(fs::exists(ExamplesDir / name)) << name << " is generated but not shipped";
        EXPECT_TRUE(Bytes(made / name) == Bytes(ExamplesDir / name)) << name << " differs from the generator's";
    }
}

namespace {

struct ShippedPlot {
    const char* Name;
    int PlotType;
};

// Which answer carries which kind of plot.
const ShippedPlot Plots[] = {
    {"hb1mfd.plt", -2},  {"hb1sqp.plt", -2},  {"hb2mfd.plt", -1},   {"Beam.plt", 0},
    {"GunAt.plt", 0},    {"KROGH.plt", 0},    {"PURSUIT.plt", 0},   {"VOLTERIS.plt", 0},
    {"EjectSim.plt", 0}, {"ReadRit.plt", 1},  {"fit4QZ-W.plt", 1},  {"fit4QZ-W.2lt", 1},
    {"ReadRit2.plt", 2}, {"Damper.plt", 3},   {"EasyFit.plt", 4},   {"Circuit.plt", 5},
    {"HardFit.plt", 6},  {"Pharm-IP.plt", 110}, {"PharmAlg.plt", 110},
};

}  // namespace

TEST(DemoContent, EveryShippedPlotFileReadsAsItsPlotType)
{
    std::set<std::string> listed;
    std::set<int> types;
    for (const ShippedPlot& p : Plots) {
        SCOPED_TRACE(p.Name);
        listed.insert(p.Name);
        const fs::path path = AnswersDir / p.Name;
        const std::string ext = path.extension().string();
        const std::string base = (AnswersDir / path.stem()).string();
        plots::PlotData data;
        EXPECT_TRUE(plots::ReadPlotData(data, base + ext).Loaded());
        EXPECT_EQ(CodeOf(data.PlotType), p.PlotType);
        EXPECT_GT(data.PointCount, 0);
        EXPECT_EQ(static_cast<std::size_t>(data.PointCount), data.DataX.size());
        types.insert(CodeOf(data.PlotType));

        if (p.PlotType < 0) {
            // Side lobes when more than one omega-axis zero, ripple when the delay was
            // matched, the impulse response always: each block with its points.
            int blocks = (data.OmegaZeroCount > 1 ? 1 : 0) + (data.DelayMatched == 1 ? 1 : 0) + 1;
            for (int b = 0; b < blocks; ++b) {
                plots::ReadNextBlock(data);
                EXPECT_GT(data.PointCount, 0) << "block " << b + 1;
            }
            plots::ReadNextBlock(data);
            EXPECT_EQ(data.PointCount, 0) << "no block beyond the promised ones";
        }
    }
    EXPECT_EQ(types, (std::set<int>{-2, -1, 0, 1, 2, 3, 4, 5, 6, 110}));
    // Every plot data file shipped is in the table above.
    for (const std::string& name : FilesBelow(AnswersDir)) {
        const std::string ext = fs::path(name).extension().string();
        if (ext == ".plt" || ext == ".2lt") {
            EXPECT_TRUE(listed.count(name)) << name << " is shipped but not checked";
        }
    }
}

TEST(DemoContent, PlotFilesEndEveryLineWithCarriageReturnAndLineFeed)
{
    for (const ShippedPlot& p : Plots) {
        const std::string text = Bytes(AnswersDir / p.Name);
        ASSERT_FALSE(text.empty()) << p.Name;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << p.Name;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << p.Name << " bare line feed at byte " << i;
            }
            if (text[i] == '\r') {
                ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << p.Name << " bare CR at byte " << i;
            }
        }
    }
}

TEST(DemoContent, PicturePlotsLoadAndFormASeries)
{
    const char* pictures[] = {"RosenBrh.gif", "RosenBrh.2if", "RosenBrh.3if", "tCircuit.gif"};
    for (const char* name : pictures) {
        QImage image;
        EXPECT_TRUE(image.load(QString::fromStdString((AnswersDir / name).string()), "GIF")) << name;
        EXPECT_EQ(image.size(), QSize(640, 480)) << name;
    }
    // The launcher prefers the picture and the viewer the data file: a stem has only one.
    for (const char* stem : {"RosenBrh", "tCircuit"})
        EXPECT_FALSE(fs::exists(AnswersDir / (std::string(stem) + ".plt"))) << stem;
}
