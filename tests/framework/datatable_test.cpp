// TDataTable, TIntMatrix and TBitFld.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "framework/QEL_Containers.h"

using namespace qel;

TEST(DataTable, ResizeInsertRemoveKeepContentAndNotify) {
  TDataTable t(2, 2);
  std::vector<std::tuple<int, int, int, int>> resizes;
  t.OnResize = [&](TObject*, int oc, int orr, int nc, int nr) { resizes.emplace_back(oc, orr, nc, nr); };
  t.SetElem(1, 1, 11);
  t.SetElem(2, 2, 22);
  t.SetCellState(2, 2, csMarkA);
  t.SetColName(2, std::string(60, 'n'));
  EXPECT_EQ(t.GetColName(2).size(), 50u);
  t.InsertRow(1);
  EXPECT_EQ(t.GetElem(1, 2), 11);
  EXPECT_EQ(t.GetElem(2, 3), 22);
  EXPECT_EQ(t.GetCellState(2, 3), csMarkA);
  EXPECT_EQ(t.GetRowName(1), "R-1");
  t.InsertColumn(1);
  EXPECT_EQ(t.GetElem(3, 3), 22);
  EXPECT_EQ(t.GetColName(3).size(), 50u);
  t.RemoveColumn(1);
  t.RemoveRow(1);
  EXPECT_EQ(t.GetElem(2, 2), 22);
  ASSERT_EQ(resizes.size(), 4u);
  EXPECT_EQ(resizes[0], std::make_tuple(2, 2, 2, 3));
  EXPECT_EQ(resizes[1], std::make_tuple(2, 3, 3, 3));
  t.Resize(1, 1);
  t.RemoveRow(1);
  t.RemoveColumn(1);
  EXPECT_EQ(t.GetNrOfRows(), 1);
  EXPECT_EQ(t.GetElem(1, 1), 11);
  EXPECT_EQ(t.GetElem(0, 1), 0);
  t.SetElem(5, 5, 1);  // ignored
  FailNextAllocations(1);
  EXPECT_THROW(t.Resize(10, 10), EOutOfMemory);
  EXPECT_EQ(t.GetNrOfColumns(), 1);
  EXPECT_EQ(t.GetElem(1, 1), 11);
}

TEST(DataTable, StatesMarksAndMirrors) {
  TDataTable t(3, 2);
  t.SetCellState(1, 1, csMarkA);
  t.SetCellState(2, 1, csMarkB | csEmpty);
  EXPECT_FALSE(t.GetIsNumber(2, 1));
  EXPECT_TRUE(t.GetIsNumber(1, 1));
  t.ExchangeMarkings();
  EXPECT_EQ(t.GetCellState(1, 1), csMarkB);
  EXPECT_EQ(t.GetCellState(2, 1), csMarkA | csEmpty);
  t.FillMarkedCells(5, csMarkA);
  EXPECT_EQ(t.GetElem(2, 1), 5);
  EXPECT_EQ(t.GetElem(1, 1), 0);
  t.InvertCellStates(csMarkA);
  EXPECT_EQ(t.GetCellState(2, 1), csEmpty);
  EXPECT_EQ(t.GetCellState(3, 2), csMarkA);
  t.UnmarkAllCells();
  EXPECT_EQ(t.GetCellState(3, 2), 0);
  std::vector<std::tuple<int, int, int>> swaps;
  t.OnSortExchange = [&](TObject*, int kind, int a, int b, int, int) { swaps.emplace_back(kind, a, b); };
  t.SetColName(1, "first");
  t.MirrorColumns();
  EXPECT_EQ(t.GetElem(2, 1), 5);
  EXPECT_EQ(t.GetColName(3), "first");
  EXPECT_EQ(swaps, (std::vector<std::tuple<int, int, int>>{{1, 1, 3}}));
  t.SetRowName(1, "top");
  t.MirrorRows();
  EXPECT_EQ(t.GetRowName(2), "top");
  EXPECT_EQ(t.GetElem(2, 2), 5);
  t.Fill(1.5);
  t.Clear();
  EXPECT_EQ(t.GetElem(1, 1), 0);
}

TEST(DataTable, NominalIdentifiers) {
  TDataTable t(2, 1);
  t.SetMScaleType(1, 2);
  EXPECT_EQ(t.GetMScaleType(1), 2);
  t.SetMScaleType(1, 99);  // unknown types are refused
  EXPECT_EQ(t.GetMScaleType(1), 2);
  t.SetNominalID(1, 3, "Yellowish-green");
  EXPECT_EQ(t.GetNominalID(1, 3), "Yellowish-");
  EXPECT_EQ(t.GetNominalID(1, 2), "");
  EXPECT_EQ(t.GetNominalID(1, 51), "");
  EXPECT_EQ(t.OrdinalOfNominalID(1, "YELLOWISH-", true), 3);
  EXPECT_EQ(t.OrdinalOfNominalID(1, "YELLOWISH-", false), 0);
  EXPECT_EQ(t.OrdinalOfNominalID(2, "x", true), 0);
}

TEST(IntMatrixBitFld, KeepContentAcrossResizes) {
  TIntMatrix m(3, 2);
  m.SetVal(3, 2, -7);
  m.SetNRows(4);
  EXPECT_EQ(m.GetVal(3, 2), -7);
  EXPECT_EQ(m.GetNrOfRows(), 4);
  m.SetNRows(1);
  EXPECT_EQ(m.GetVal(3, 2), 0);
  TBitFld b(130);
  EXPECT_EQ(b.FirstTrueBit(), -1);
  b.SetBit(129, true);
  b.SetBit(70, true);
  b.SetBit(130, true);  // outside
  EXPECT_EQ(b.FirstTrueBit(), 70);
  EXPECT_EQ(b.CountTrueBits(), 2);
  b.SetSize(100);
  b.SetSize(130);
  EXPECT_FALSE(b.GetBit(129));  // cut bits do not come back
  EXPECT_EQ(b.CountTrueBits(), 1);
  b.Clear();
  EXPECT_EQ(b.CountTrueBits(), 0);
}
