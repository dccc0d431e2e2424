// The Results window's table without windows: parsing, numeric sorting,
// summaries against figures worked by hand, the texts copied and saved,
// deleting and undoing, and the files it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "forms/ResultsTable.h"
#include "support/TestFiles.h"

namespace {

// A results file as Find Objects writes it, with --summary.
const std::string kResults = "#id,x,y,area,partl\r\n"
                             "1,12.5,7.0,9,F\r\n"
                             "2,3.0,40.5,10,T\r\n"
                             "3,100.0,-2.0,4,F\r\n"
                             "4,7.5,0.5,1,F\r\n"
                             "# objects: 4, total area: 24, mean area: 6.0\r\n";

CResultsTable Parsed(const std::string& text)
{
    std::string error;
    CResultsTable table = CResultsTable::Parse(text, &error);
    EXPECT_EQ(error, "");
    return table;
}

std::vector<std::string> Column(const CResultsTable& table, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < table.RowCount(); ++row) texts.push_back(table.Text(row, column));
    return texts;
}

}  // namespace

TEST(ResultsTable, ColumnsAndNumbersAsWritten)
{
    const CResultsTable table = Parsed(kResults);
    ASSERT_EQ(table.ColumnCount(), 5);
    EXPECT_EQ(table.ColumnName(0), "#id");
    EXPECT_EQ(table.ColumnOf("area"), 3);
    EXPECT_EQ(table.ColumnOf("left"), -1);
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Text(0, 2), "7.0");
    EXPECT_EQ(table.Value(2, 2), -2.0);
    EXPECT_TRUE(table.IsNumeric(1));
    EXPECT_FALSE(table.IsNumeric(4));  // T and F
    EXPECT_TRUE(std::isnan(table.Value(0, 4)));
    EXPECT_EQ(table.ObjectNumber(3), 4);
    EXPECT_EQ(table.ImageName(0), "");
    EXPECT_FALSE(table.IsCombined());
    // Read and written again unchanged: the same bytes.
    EXPECT_EQ(table.ResultsFileText(), kResults);
}

// Numbers are read by a shortcut for plain decimals: the same doubles as strtod.
TEST(ResultsTable, NumbersReadAsStrtodReadsThem)
{
    for (const char* text : {"0.1", "-0.3", "123456789012.345", "-99999999999999.9", "9007199254740993", "0.000188",
                             "3.2e-11", "7", "-0.0", "1.", ".5", "1e308"}) {
        const CResultsTable table = Parsed(std::string("#id,x\r\n1,") + text + "\r\n");
        EXPECT_EQ(table.Value(0, 1), std::strtod(text, nullptr)) << text;
    }
}

TEST(ResultsTable, SortsNumbersNumericallyThenReversed)
{
    CResultsTable table = Parsed("#id,x,y\r\n1,9.5,1.0\r\n2,10.0,2.0\r\n3,-2.0,3.0\r\n4,10.0,4.0\r\n");
    const struct {
        int column;
        bool descending;
        std::vector<int> ids;
    } cases[] = {
        {1, false, {2, 0, 1, 3}},  // text order would put "10.0" before "9.5"
        {1, true, {1, 3, 0, 2}},   // ties keep the file's order both ways
        {-1, false, {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        table.Sort(c.column, c.descending);
        std::vector<int> ids;
        for (int row = 0; row < table.RowCount(); ++row) ids.push_back(table.RowId(row));
        EXPECT_EQ(ids, c.ids) << c.column << c.descending;
        EXPECT_EQ(table.RowOfId(c.ids[0]), 0);
    }
    // Text columns sort as text; fields that are no numbers stay last.
    CResultsTable mixed = Parsed(kResults);
    mixed.Sort(4, true);
    EXPECT_EQ(Column(mixed, 4), (std::vector<std::string>{"T", "F", "F", "F"}));
}

TEST(ResultsTable, SummaryAgainstHandFigures)
{
    CResultsTable table = Parsed(kResults);
    // area 9, 10, 4, 1: mean 6, sample deviation sqrt(((3² + 4² + 2² + 5²) / 3) = sqrt(18).
    const CColumnSummary all = table.Summary(3, false);
    EXPECT_EQ(all.count, 4);
    EXPECT_DOUBLE_EQ(all.mean, 6.0);
    EXPECT_DOUBLE_EQ(all.deviation, std::sqrt(18.0));
    EXPECT_EQ(all.minimum, 1.0);
    EXPECT_EQ(all.maximum, 10.0);
    EXPECT_EQ(table.SummaryText(3, all.deviation, true), "4.24");
    EXPECT_EQ(table.SummaryText(1, 30.75, true), "30.750");
    EXPECT_EQ(table.SummaryText(1, 3.0, false), "3.0");
    // Selected rows 2 and 4 (ids 1 and 3): y 40.5 and 0.5.
    table.Select({1, 3}, false);
    const CColumnSummary selected = table.Summary(2, true);
    EXPECT_EQ(selected.count, 2);
    EXPECT_DOUBLE_EQ(selected.mean, 20.5);
    EXPECT_DOUBLE_EQ(selected.deviation, std::sqrt(800.0));
    // One value has no sample deviation; a text column no figures.
    table.Select({0}, false);
    EXPECT_TRUE(std::isnan(table.Summary(3, true).deviation));
    EXPECT_EQ(table.SummaryText(3, table.Summary(3, true).deviation, true), "");
    EXPECT_EQ(table.Summary(4, false).count, 0);
}

TEST(ResultsTable, CopiedAndSavedTexts)
{
    CResultsTable table = Parsed(kResults);
    table.Sort(3, false);
    table.Select({0, 2}, false);
    EXPECT_EQ(table.TabText(true), "#id\tx\ty\tarea\tpartl\n3\t100.0\t-2.0\t4\tF\n1\t12.5\t7.0\t9\tF\n");
    EXPECT_EQ(table.CsvText(true), "#id,x,y,area,partl\r\n3,100.0,-2.0,4,F\r\n1,12.5,7.0,9,F\r\n");
    EXPECT_TRUE(table.TabText(false).ends_with("\n2\t3.0\t40.5\t10\tT\n")) << table.TabText(false);
}

TEST(ResultsTable, DeleteAndUndo)
{
    CResultsTable table = Parsed(kResults);
    table.Select({1, 2}, false);
    table.DeleteRows({1, 3});
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.RowOfId(1), -1);
    EXPECT_EQ(table.SelectedIds(), (std::set<int>{2}));
    // The summary line counts the rows left.
    EXPECT_EQ(table.ResultsFileText(), "#id,x,y,area,partl\r\n1,12.5,7.0,9,F\r\n3,100.0,-2.0,4,F\r\n"
                                       "# objects: 2, total area: 13, mean area: 6.5\r\n");
    table.DeleteRows({0});
    table.UndoDelete();
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"1", "3"}));
    table.UndoDelete();
    EXPECT_FALSE(table.CanUndoDelete());
    EXPECT_EQ(table.ResultsFileText(), kResults);
}

TEST(ResultsTable, CombinedTableOfAnotherWriter)
{
    // Python's csv module quotes by RFC 4180, as the series writes the table.
    TempDir dir;
    const std::string path = dir.path("objects_all.csv");
    const std::string write = "/usr/bin/python3 -c \"import csv, sys; w = csv.writer(open(sys.argv[1], 'w', newline='')); "
                              "w.writerows([['image', '#id', 'x', 'area_um2'], ['a, b.bmp', 1, '2.5', ''], "
                              "['say \\\"hi\\\".png', 2, '1.0', '3.2e-11']])\" '" +
                              path + "'";
    ASSERT_EQ(std::system(write.c_str()), 0);
    std::string error;
    CResultsTable table = CResultsTable::Read(path, &error);
    ASSERT_EQ(error, "");
    EXPECT_TRUE(table.IsCombined());
    EXPECT_EQ(table.ImageName(0), "a, b.bmp");
    EXPECT_EQ(table.ImageName(1), "say \"hi\".png");
    EXPECT_EQ(table.ObjectNumber(1), 2);
    EXPECT_FALSE(table.IsNumeric(0));
    EXPECT_TRUE(table.IsNumeric(3));  // empty where an image had no unit
    EXPECT_EQ(table.Summary(3, false).count, 1);
    EXPECT_EQ(table.SummaryText(3, 3.2e-11, true), "3.2e-11");
    EXPECT_EQ(table.CsvText(false), FileText(path));
    EXPECT_EQ(table.ResultsFileText(), FileText(path));
    EXPECT_EQ(table.SourcePath(), path);
}

TEST(ResultsTable, Refusals)
{
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"hello\r\n", "This is neither an object results file nor a series' combined table: its first line is not a "
                      "header such as \"#id,x,y\" or \"image,#id,x,y\"."},
        {"#identity\r\n1\r\n", "This is neither an object results file nor a series' combined table: its first line "
                               "is not a header such as \"#id,x,y\" or \"image,#id,x,y\"."},
        {"#id,x,y\r\n1,2.0,3.0\r\n2,4.0\r\n", "Line 3 has 2 fields where the header names 3."},
        {"image,#id\r\n\"a,b\",1,2\r\n", "Line 2 has 3 fields where the header names 2."},
    };
    for (const auto& c : cases) {
        std::string error;
        const CResultsTable table = CResultsTable::Parse(c.text, &error);
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(table.ColumnCount(), 0);
    }
    // A run that found nothing leaves an empty file: an empty table, no refusal.
    EXPECT_EQ(Parsed("").ColumnCount(), 0);
    std::string error;
    CResultsTable::Read("/nonexistent/objects.dat", &error);
    EXPECT_EQ(error, "/nonexistent/objects.dat could not be read.");
}
