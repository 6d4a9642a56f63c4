#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Document.h"
#include "Editor.h"
#include "Fixtures.h"
#include "Harness.h"

void PrintTo(const SeenWindow& window, std::ostream* out);

using Row = std::pair<std::string, std::string>;  // name, size text

// A fresh document state and, once CreateMainDialog has run, the real main dialog, created
// modeless from the program's own template so the test can drive it between commands.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the start-up as the program does, with this command-line text.
    void CreateMainDialog(const std::string& commandLine = "");
    // Destroys it as the platform does at the end, and handles what that posts.
    void DestroyMainDialog();
    void Click(int button);
    std::string Status() const;
    std::vector<Row> Rows() const;
    std::vector<int> SelectedRows() const;
    void SelectRows(const std::vector<int>& rows);
    // Opens the archive at path through the Open button.
    void OpenThroughDialog(const std::string& path);
    // Writes an archive with these members (name, content) and returns its path.
    std::string MakeArchive(const std::string& fileName, const std::vector<std::pair<std::string, std::string>>& members);
    // Everything the harness answered since the last call; fails the test if anything
    // expected was not met.
    std::vector<SeenWindow> Seen();

    HWND dialog = nullptr;
    TempFolder folder;
};

// An archive's members as (name, content).
std::vector<std::pair<std::string, std::string>> ArchiveMembers(const std::string& path);

// The list's in-place name edit, as the user ends it.
HWND RowEditControl(HWND dialog);
void ConfirmRowEdit(HWND dialog, const std::string& text);
void CancelRowEdit(HWND dialog);
