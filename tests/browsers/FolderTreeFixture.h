// A folder tree on a shown form, with a temporary folder to browse and a log
// of its events, for the folder tree tests.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "browsers/QEL_FolderTree.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "tests/platform/rtl/TempFolder.h"

namespace qel::test {

struct FolderTreeFixture {
  TempFolder temp;
  TForm form{nullptr};
  TFolderTree* tree;
  TTestRobot robot;
  std::vector<std::string> log;

  FolderTreeFixture() {
    Headless();
    form.SetBounds(0, 0, 320, 420);
    tree = new TFolderTree(&form);
    tree->SetParent(&form);
    tree->SetBounds(10, 10, 300, 400);
    tree->OnDirChanged = [this](TObject*) { log.push_back("dir " + tree->CurrentPath()); };
    form.Show();
    Application->ProcessMessages();
  }

  // Makes folders (and their parents) below the temporary folder.
  void Mk(std::initializer_list<std::string> names) {
    for (const auto& n : names) std::filesystem::create_directories(temp.Path(n));
  }
  std::string P(const std::string& name = {}) const { return temp.Path(name); }
  bool Exists(const std::string& name) const { return std::filesystem::is_directory(temp.Path(name)); }

  // The texts of a node's children, space-separated.
  static std::string Children(const TTreeNode* n) {
    std::string s;
    for (TTreeNode* c = n ? n->GetFirstChild() : nullptr; c; c = c->GetNextSibling()) s += c->GetText() + " ";
    return s;
  }
  // The node of an absolute path, walking loaded children; nullptr if absent.
  TTreeNode* Node(const std::string& path) {
    TTreeNode* n = tree->Items()->GetFirstNode();
    std::string rest = path.substr(1);
    while (n && !rest.empty()) {
      size_t slash = rest.find('/');
      std::string level = rest.substr(0, slash);
      rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
      if (level.empty()) continue;
      TTreeNode* c = n->GetFirstChild();
      while (c && c->GetText() != level) c = c->GetNextSibling();
      n = c;
    }
    return n;
  }
  void Expand(TTreeNode* n) {
    bool allow = true;
    tree->ProcessExpanding(tree, n, allow);
  }
  std::string TakeLog() {
    std::string s;
    for (auto& e : log) s += e + "; ";
    log.clear();
    return s;
  }
};

}  // namespace qel::test
