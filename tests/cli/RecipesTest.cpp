// Runs the recipes of docs/scale-out.md for spreading work over cores,
// machines and a Slurm array, and checks each result against a sequential
// series run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "support/CliRun.h"
#include "support/BitmapFiles.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The fenced code blocks between a "## " heading and the next one.
std::vector<std::string> SectionBlocks(const std::string& markdown, const std::string& heading)
{
    std::vector<std::string> blocks;
    const size_t start = markdown.find("\n## " + heading + "\n");
    if (start == std::string::npos) return blocks;
    const size_t end = markdown.find("\n## ", start + 1);
    std::istringstream lines(markdown.substr(start, end == std::string::npos ? std::string::npos : end - start));
    std::string line;
    std::string block;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (line.rfind("```", 0) == 0) {
            if (inside) blocks.push_back(block);
            inside = !inside;
            block.clear();
        } else if (inside) {
            block += line + "\n";
        }
    }
    return blocks;
}

bool Installed(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// Stands in for ssh: drops the options and the host name and runs the
// command in the "remote" folder, so the recipe runs unchanged on one machine.
// Like sshd it sets HOME and SHELL: parallel's remote worker starts each job
// with $SHELL, and a test runner may start us without one.
const char* const kFakeSsh = R"(#!/bin/bash
while [ $# -gt 0 ]; do
  case "$1" in
    -[oplicFSObDeEIJLmQRwW]) shift 2 ;;
    -*) shift ;;
    *) shift; break ;;
  esac
done
[ "${1-}" = "--" ] && shift
export HOME="$FAKE_REMOTE" SHELL=/bin/bash
cd "$HOME" && exec bash -c "$*"
)";

class Recipes : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(dir.path("in"));
        std::vector<std::string> args = {"series", "--op", "Grayscale", "--out", dir.path("sequential")};
        std::filesystem::create_directory(dir.path("sequential"));
        for (int i = 0; i < 5; ++i) {
            CImage image = MakeImage(7, 5, [i](int x, int y) { return CColorVal(37 * x + i, 51 * y, 90 * i + x); });
            names.push_back("image " + std::to_string(i) + ".bmp");
            SaveBitmap(image, dir.path("in/" + names.back()));
            args.push_back(dir.path("in/" + names.back()));
        }
        const CliRun sequential = RunTool(args);
        ASSERT_EQ(sequential.status, 0) << sequential.err;
        const std::vector<std::string> blocks =
            SectionBlocks(ReadText(NUVAK_SOURCE_DIR "/docs/scale-out.md"), "Job runners");
        ASSERT_EQ(blocks.size(), 3u) << "the job runners' recipes";
        local = blocks[0];
        remote = blocks[1];
        slurm = blocks[2];
    }

    // Runs a recipe as a bash script in the folder holding in/; env goes before the command.
    int Run(const std::string& recipe, const std::string& env = "")
    {
        std::ofstream(dir.path("recipe.sh")) << recipe;
        const std::string bin = std::filesystem::path(NUVAK_CLI_PATH).parent_path().string();
        const std::string command = "cd " + Quote(dir.root().string()) + " && " + env + " PATH=" + Quote(bin) +
                                    ":\"$PATH\" bash recipe.sh >recipe.out 2>&1";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    void ExpectSameAsSequential()
    {
        for (const std::string& name : names)
            EXPECT_EQ(ReadBytes(dir.path("out/" + name)), ReadBytes(dir.path("sequential/" + name))) << name;
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path("out"))) count += entry.path().extension() == ".bmp";
        EXPECT_EQ(count, names.size());
    }

    std::string Output() { return ReadText(dir.path("recipe.out")); }

    // The documented change for a recipe recorded in the workbench: `run
    // --recipe` in place of `apply --op`, the file travelling with each job
    // to a node. The recipe makes the same grey images as the operation.
    std::string WithRecipe(std::string block)
    {
        std::ofstream(dir.path("grey.nrcp")) << "nuvak recipe 1\n--op Grayscale\n";
        std::filesystem::remove_all(dir.path("out"));
        const std::string apply = "apply --op Grayscale";
        block.replace(block.find(apply), apply.size(), "run --recipe grey.nrcp");
        const std::string transfer = "--transferfile {}";
        if (block.find(transfer) != std::string::npos)
            block.insert(block.find(transfer) + transfer.size(), " --transferfile grey.nrcp");
        return block;
    }

    TempDir dir;
    std::vector<std::string> names;
    std::string local, remote, slurm;
};

}  // namespace

TEST_F(Recipes, GnuParallelOnOneMachine)
{
    if (!Installed("parallel")) GTEST_SKIP() << "GNU parallel (Debian package parallel) is not installed";
    ASSERT_NE(local.find("parallel -0 -j 2"), std::string::npos) << local;
    ASSERT_EQ(Run(local), 0) << Output();
    ExpectSameAsSequential();
    EXPECT_TRUE(Exists(dir.path("jobs.log")));
    ASSERT_EQ(Run(WithRecipe(local)), 0) << Output();
    ExpectSameAsSequential();
}

TEST_F(Recipes, GnuParallelAcrossMachinesThroughAStandInForSsh)
{
    if (!Installed("parallel") || !Installed("rsync"))
        GTEST_SKIP() << "GNU parallel and rsync (Debian packages parallel, rsync) are needed";
    ASSERT_NE(remote.find("--sshlogin"), std::string::npos) << remote;
    std::ofstream(dir.path("fakessh")) << kFakeSsh;
    std::filesystem::permissions(dir.path("fakessh"), std::filesystem::perms::owner_all);
    std::filesystem::create_directory(dir.path("node"));

    ASSERT_EQ(Run(remote, "PARALLEL=" + Quote("--ssh " + dir.path("fakessh")) + " FAKE_REMOTE=" + Quote(dir.path("node"))), 0)
        << Output();

    ExpectSameAsSequential();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path("node")))
        EXPECT_TRUE(entry.is_directory()) << "left on the node: " << entry.path();

    ASSERT_EQ(Run(WithRecipe(remote), "PARALLEL=" + Quote("--ssh " + dir.path("fakessh")) +
                                          " FAKE_REMOTE=" + Quote(dir.path("node"))),
              0)
        << Output();
    ExpectSameAsSequential();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path("node")))
        EXPECT_TRUE(entry.is_directory()) << "left on the node: " << entry.path();
}

TEST_F(Recipes, SlurmArrayTasks)
{
    ASSERT_NE(slurm.find("#SBATCH --array="), std::string::npos) << slurm;
    for (int task = 0; task < 3; ++task)
        ASSERT_EQ(Run(slurm, "SLURM_ARRAY_TASK_ID=" + std::to_string(task) + " SLURM_ARRAY_TASK_COUNT=3"), 0)
            << Output();
    ExpectSameAsSequential();
    const std::string withRecipe = WithRecipe(slurm);
    for (int task = 0; task < 3; ++task)
        ASSERT_EQ(Run(withRecipe, "SLURM_ARRAY_TASK_ID=" + std::to_string(task) + " SLURM_ARRAY_TASK_COUNT=3"), 0)
            << Output();
    ExpectSameAsSequential();
}
