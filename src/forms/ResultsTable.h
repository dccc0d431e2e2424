// CResultsTable: an object results file or a series' combined table as the
// Results window shows it: columns, rows with their numbers as written, a
// view order (sorting, deleted rows), a selection, column summaries and the
// texts it is copied or saved as.
#pragma once

#include <set>
#include <string>
#include <vector>

// Count, mean, sample standard deviation (n - 1, NaN below two values),
// minimum and maximum of a column's numbers; NaN where there are none.
struct CColumnSummary {
    int count = 0;
    double mean = 0.0, deviation = 0.0, minimum = 0.0, maximum = 0.0;
};

class CResultsTable {
public:
    CResultsTable() = default;

    // A results file ("#id,x,y..." header, rows, an optional "# objects:"
    // line) or a combined table ("image,#id,x,y..." by RFC 4180). An empty
    // text is a run that found nothing: a table without columns. Refused
    // with the reason in error (an empty table returned).
    static CResultsTable Parse(const std::string& text, std::string* error);
    // Reads and parses a file; the table keeps its path.
    static CResultsTable Read(const std::string& path, std::string* error);

    int ColumnCount() const { return static_cast<int>(names_.size()); }
    const std::string& ColumnName(int column) const { return names_[column]; }
    // -1 when the table has no column of that name.
    int ColumnOf(const std::string& name) const;
    bool IsNumeric(int column) const { return numeric_[column]; }
    // Whether this is a series' combined table, with an image column.
    bool IsCombined() const { return imageColumn_ >= 0; }

    // Rows in view order: sorted, without the deleted ones.
    int RowCount() const { return static_cast<int>(order_.size()); }
    const std::string& Text(int row, int column) const { return fields_[column][order_[row]]; }
    // NaN when the field is not a number.
    double Value(int row, int column) const { return values_[column][order_[row]]; }
    // The row's place in the file as read, whatever sorting or deleting did.
    int RowId(int row) const { return order_[row]; }
    // The row showing that id; -1 when it is deleted.
    int RowOfId(int id) const;
    // The object's number (the first column after the image's); 0 when not a number.
    int ObjectNumber(int row) const;
    // The image column's text in a combined table; empty in a results file.
    std::string ImageName(int row) const;

    // Sorts the rows by a column: numbers in numeric order (fields that are
    // none after them), other columns by text; ties keep the file's order.
    void Sort(int column, bool descending);
    // The column sorted by, -1 for the file's order.
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    // The selection as row ids.
    void Select(const std::vector<int>& ids, bool add);
    const std::set<int>& SelectedIds() const { return selected_; }
    void ClearSelection() { selected_.clear(); }

    // The column's figures over every row, or over the selected ones.
    CColumnSummary Summary(int column, bool selectionOnly) const;
    // A summary figure as shown: the column's decimals and two more for the
    // mean and deviation, six significant digits for columns in a unit's
    // general form; empty for NaN.
    std::string SummaryText(int column, double value, bool extraDecimals) const;

    // Tab-separated with the header, "\n" line ends: the selected rows or all.
    std::string TabText(bool selectionOnly) const;
    // RFC 4180 with the header, CR LF line ends, numbers as written.
    std::string CsvText(bool selectionOnly) const;
    // The format read: a results file (its "# objects:" line counted again
    // once rows were deleted) or a combined table.
    std::string ResultsFileText() const;

    // Writes the CSV text or the format read to path (a temporary file
    // renamed over it when complete); the table then belongs to that file
    // and is no longer modified. False with the reason in error.
    bool Save(const std::string& path, bool csv, std::string* error);

    // Removes rows from the table (never from a file); each call is one step
    // that UndoDelete brings back, in their places.
    void DeleteRows(const std::vector<int>& ids);
    bool CanUndoDelete() const { return !deletions_.empty(); }
    void UndoDelete();

    // Changed since read or saved: rows deleted or restored.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // The file read and the image the results belong to (empty when not known).
    const std::string& SourcePath() const { return sourcePath_; }
    void SetSourcePath(const std::string& path) { sourcePath_ = path; }
    const std::string& ImageTitle() const { return imageTitle_; }
    void SetImageTitle(const std::string& title) { imageTitle_ = title; }

private:
    void Order();
    std::vector<int> Rows(bool selectionOnly) const;
    std::string Joined(int id, char separator, bool quoted) const;
    std::string HeaderJoined(char separator, bool quoted) const;
    std::string SummaryLine() const;

    std::vector<std::string> names_;
    std::vector<std::vector<std::string>> fields_;  // per column, per row id
    std::vector<std::vector<double>> values_;       // per column, per row id
    std::vector<bool> numeric_;
    std::vector<int> decimals_;     // per numeric column: the most written; -1 for a general form
    std::vector<int> order_;        // row ids in view order
    std::vector<int> rowOf_;        // per row id: its row in view order, -1 when deleted
    std::vector<bool> deleted_;     // per row id
    std::vector<std::vector<int>> deletions_;  // the ids of each delete step
    std::set<int> selected_;
    int imageColumn_ = -1;
    int numberColumn_ = 0;
    char separator_ = ',';
    std::string summaryLine_;  // the results file's "# objects:" line as read
    int sortColumn_ = -1;
    bool descending_ = false;
    bool modified_ = false;
    std::string sourcePath_;
    std::string imageTitle_;
};
