// Shared display lists (joining, refusals, keeping the group in step, every
// order of destruction) and the black-and-white colour set.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "mivo/platform/host.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

using test::TCountingChart;

// Message boxes recorded by the headless host, quietly.
class RChartSharing : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHost(nullptr);
    HeadlessHost()->Quiet = true;
  }
  void TearDown() override { SetHost(nullptr); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : HeadlessHost()->MessageBoxes()) {
      EXPECT_EQ(m.Type, TMsgDlgType::mtInformation);
      out.push_back(m.Text);
    }
    HeadlessHost()->ClearMessageBoxes();
    return out;
  }
  static std::vector<TCustomRChart*> Users(const TCustomRChart& c) {
    std::vector<TCustomRChart*> out;
    for (std::int32_t i = 0; i < c.DataUsersNum(); ++i) out.push_back(c.DataUsers(i));
    return out;
  }
};

const std::string kMyself = "RChart: Cannot share data with myself";
const std::string kForeign = "RChart: Cannot use foreign data. Other RCharts are using my own data.";
const std::string kMax = "RChart: Max. number of data shares exceeded";

TEST_F(RChartSharing, RefusalsShowTheirMessageAndChangeNothing) {
  std::array<std::unique_ptr<TCustomRChart>, 7> c;
  for (auto& p : c) p = std::make_unique<TCustomRChart>();
  TCustomRChart &A = *c[0], &B = *c[1], &C = *c[2], &D = *c[3], &E = *c[4], &F = *c[5], &G = *c[6];

  A.SetUseDataOf(&A);
  EXPECT_EQ(Messages(), std::vector<std::string>{kMyself});
  EXPECT_EQ(A.UseDataOf(), nullptr);

  B.SetUseDataOf(&A);
  A.SetUseDataOf(&G);
  EXPECT_EQ(Messages(), std::vector<std::string>{kForeign});
  EXPECT_EQ(A.UseDataOf(), nullptr);
  // Naming a user names its owner.
  C.SetUseDataOf(&B);
  EXPECT_EQ(C.UseDataOf(), &A);
  D.SetUseDataOf(&A);
  E.SetUseDataOf(&C);
  EXPECT_EQ(Users(A), (std::vector<TCustomRChart*>{&B, &C, &D, &E}));
  EXPECT_TRUE(Messages().empty());

  F.SetUseDataOf(&A);
  F.SetUseDataOf(&B);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kMax, kMax}));
  EXPECT_EQ(F.UseDataOf(), nullptr);
  EXPECT_EQ(A.DataUsersNum(), 4);

  // A user of a full owner naming another of its users changes nothing and
  // is no refusal: it already shows that list.
  E.SetUseDataOf(&B);
  E.SetUseDataOf(&A);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Users(A), (std::vector<TCustomRChart*>{&B, &C, &D, &E}));
}

TEST_F(RChartSharing, EveryChartOfAGroupShowsTheItemsAnyOfThemAdds) {
  TCustomRChart A, B, C;
  A.MarkAt(1, 1, 3);  // A's own items become the group's
  B.SetAllocSize(1000);
  for (int i = 0; i < 1500; ++i) B.MoveTo(i, i);  // B's own list, larger than A's, is dropped on joining
  B.SetUseDataOf(&A);
  C.SetUseDataOf(&A);
  EXPECT_EQ(B.NumItems(), 1);
  EXPECT_EQ(B.GetChartItem(0).ItemKind, TrcItem::tkMarkAt);

  // Small growth steps move the block often: every chart must follow it.
  for (TCustomRChart* c : {&A, &B, &C}) c->SetAllocSize(1);
  for (int i = 0; i < 300; ++i) {
    TCustomRChart& adder = i % 3 == 0 ? A : i % 3 == 1 ? B : C;
    adder.DrawTo(i, 2.0 * i);
  }
  C.Line(0, 0, 5, 5);
  for (TCustomRChart* c : {&A, &B, &C}) {
    EXPECT_EQ(c->NumItems(), 302);
    EXPECT_EQ(c->ItemCount(TrcItem::tkLineto), 300);
    EXPECT_EQ(c->ItemCount(TrcItem::tkLine), 1);
    EXPECT_EQ(c->GetChartItem(200).x, 199);
    EXPECT_EQ(c->GetTypeOfLastItem(), TrcItem::tkLine);
    EXPECT_TRUE(c->SharesDataWith(A));
  }

  // Edits in place and removals reach everyone with the counts in step.
  B.RemoveFirstItem();
  A.RemoveItemsByClass(0);
  for (TCustomRChart* c : {&A, &B, &C}) EXPECT_EQ(c->NumItems(), 0);
  C.MarkAt(7, 8, 1);
  B.ClearGraf();
  A.MarkAt(3, 4, 2);
  for (TCustomRChart* c : {&A, &B, &C}) {
    ASSERT_EQ(c->NumItems(), 1);
    EXPECT_EQ(c->GetChartItem(0).x, 3);
  }
}

TEST_F(RChartSharing, MovingAndLeavingKeepOrderAndTheItemsShown) {
  TCustomRChart A, B, C, D, X;
  B.SetUseDataOf(&A);
  C.SetUseDataOf(&A);
  D.SetUseDataOf(&A);
  A.MoveTo(0, 0);
  A.DrawTo(1, 1);
  A.DrawTo(2, 2);

  C.SetUseDataOf(&X);
  EXPECT_EQ(Users(A), (std::vector<TCustomRChart*>{&B, &D}));
  EXPECT_EQ(Users(X), std::vector<TCustomRChart*>{&C});
  EXPECT_EQ(C.NumItems(), 0);

  // Leaving keeps the items shown; later changes of the group stay away from them.
  D.SetUseDataOf(nullptr);
  EXPECT_EQ(Users(A), std::vector<TCustomRChart*>{&B});
  EXPECT_EQ(D.NumItems(), 3);
  A.RemoveFirstItem();
  A.SetChartitem(0, A.GetChartItem(1));
  B.MarkAt(9, 9, 1);
  EXPECT_EQ(D.NumItems(), 3);
  EXPECT_EQ(D.GetChartItem(0).ItemKind, TrcItem::tkMoveTo);
  EXPECT_EQ(D.GetChartItem(1).x, 1);
  D.MarkAt(5, 5, 1);  // and its own additions stay its own
  EXPECT_EQ(A.NumItems(), 3);
  EXPECT_EQ(D.NumItems(), 4);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RChartSharing, ShowGrafAsksTheWholeGroupToRedraw) {
  TCountingChart A, B, C, Other;
  for (TCountingChart* c : {&A, &B, &C, &Other}) c->SetSuppressPaint(false);
  B.SetUseDataOf(&A);
  C.SetUseDataOf(&A);
  for (TCountingChart* c : {&A, &B, &C, &Other}) c->Paints = 0;
  B.MarkAt(1, 1, 1);
  B.ShowGraf();
  EXPECT_EQ(A.Paints, 1);
  EXPECT_EQ(C.Paints, 1);
  EXPECT_EQ(Other.Paints, 0);
}

// A paint handler of one chart destroys another chart of the group (or the
// one whose ShowGraf started the redraw): the rest of the group is redrawn,
// nothing freed is touched. (Chart 1 draws its own items in ShowGraf, not
// through Paint.)
TEST_F(RChartSharing, GroupRedrawSurvivesChartsDestroyedByPaintHandlers) {
  // owner 0, users 1 ... 3; chart `killer` destroys chart `victim` while it
  // paints; chart 1 calls ShowGraf.
  for (std::size_t killer = 0; killer < 4; ++killer) {
    for (std::size_t victim = 0; victim < 4; ++victim) {
      if (victim == killer) continue;
      SCOPED_TRACE(testing::Message() << "chart " << killer << " destroys chart " << victim);
      std::array<std::unique_ptr<TCountingChart>, 4> c;
      for (auto& p : c) {
        p = std::make_unique<TCountingChart>();
        test::UsePaintingTestChart(*p);
      }
      for (std::size_t i = 1; i < 4; ++i) c[i]->SetUseDataOf(c[0].get());
      c[killer]->OnDataRendered = [&c, victim](TObject&, TCanvas&, std::int32_t, std::int32_t) {
        c[victim].reset();
      };
      for (auto& p : c) p->Paints = 0;
      c[1]->MarkAt(1, 1, 1);
      c[1]->ShowGraf();
      EXPECT_FALSE(c[victim]);
      for (std::size_t i = 0; i < 4; ++i) {
        if (!c[i]) continue;
        // The owner gone before the group redraw leaves no group to redraw.
        const bool alone = killer == 1 && victim == 0;
        EXPECT_EQ(c[i]->Paints, i == 1 || alone ? 0 : 1) << "chart " << i;
        EXPECT_EQ(c[i]->NumItems(), 1) << "chart " << i;
      }
    }
  }
}

// Destroys the charts of a group (owner 0, users 1 and 2, a user of the owner
// made through user 1) in the given order; the survivors keep working on
// what they showed, each on a list of its own once the owner is gone.
void DestroyInOrder(const std::array<int, 3>& order) {
  std::array<std::unique_ptr<TCustomRChart>, 3> c;
  for (auto& p : c) p = std::make_unique<TCustomRChart>();
  for (auto& p : c) p->SetAllocSize(2);
  c[1]->SetUseDataOf(c[0].get());
  c[2]->SetUseDataOf(c[1].get());
  for (int i = 0; i < 5; ++i) c[std::size_t(i % 3)]->MarkAt(i, i, 1);
  bool ownerGone = false;
  std::array<std::int32_t, 3> n{5, 5, 5};
  for (int k : order) {
    c[std::size_t(k)].reset();
    ownerGone = ownerGone || k == 0;
    for (std::size_t j = 0; j < 3; ++j) {
      if (!c[j]) continue;
      ASSERT_EQ(c[j]->NumItems(), n[j]) << "chart " << j << " after destroying chart " << k;
      c[j]->RemoveFirstItem();
      for (int i = 0; i < 9; ++i) c[j]->MarkAt(100 + i, 0, 1);  // grows and moves the block
      c[j]->ShowGraf();
      const std::int32_t now = n[j] + 8;
      // Without the owner each chart is alone; with it, the group stays in step.
      if (ownerGone) {
        EXPECT_EQ(c[j]->UseDataOf(), nullptr);
        EXPECT_EQ(c[j]->DataUsersNum(), 0);
        n[j] = now;
      } else {
        n.fill(now);
      }
      EXPECT_EQ(c[j]->NumItems(), now);
    }
  }
}

TEST_F(RChartSharing, AnyOrderOfDestructionLeavesNoReferenceBehind) {
  std::array<int, 3> order{0, 1, 2};
  do {
    SCOPED_TRACE(testing::Message() << order[0] << order[1] << order[2]);
    DestroyInOrder(order);
  } while (std::next_permutation(order.begin(), order.end()));
  // A user that leaves before its owner goes, and an owner whose users all left.
  auto A = std::make_unique<TCustomRChart>();
  auto B = std::make_unique<TCustomRChart>();
  B->SetUseDataOf(A.get());
  A->MarkAt(1, 1, 1);
  B->SetUseDataOf(nullptr);
  A.reset();
  B->MarkAt(2, 2, 1);
  EXPECT_EQ(B->NumItems(), 2);
}

TEST(RChartBlackWhite, BackupMakesBlackOnWhiteAndReloadRestoresEveryColour) {
  TCountingChart c;
  c.SetSuppressPaint(false);
  c.SetWindCol(0x102030);
  c.SetChartCol(0x405060);
  c.SetScaleCol(0x708090);
  c.Font().Color = 0x0A0B0C;
  c.SetShadowColor(0x111111);
  c.SetShadowBakColor(0x222222);
  const TColor scale[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
  const TColor font[4] = {0x123456, 0x234567, 0x345678, 0x456789};
  for (int i = 1; i <= 2; ++i) {
    c.ScalePropsX(i).SetColorScale(scale[i - 1]);
    c.ScalePropsY(i).SetColorScale(scale[i + 1]);
    TFont fx = c.ScalePropsX(i).Font(), fy = c.ScalePropsY(i).Font();
    fx.Color = font[i - 1];
    fy.Color = font[i + 1];
    c.ScalePropsX(i).SetScaleFont(fx);
    c.ScalePropsY(i).SetScaleFont(fy);
  }
  c.Paints = 0;

  c.BackupColorsAndMakeBW();
  EXPECT_EQ(c.WindColor(), 0xFFFFFFu);
  EXPECT_EQ(c.ChartColor(), 0xFFFFFFu);
  EXPECT_EQ(c.ChartFrameColor(), 0u);
  EXPECT_EQ(c.Font().Color, 0u);
  EXPECT_EQ(c.ShadowColor(), 0xC0C0C0u);
  EXPECT_EQ(c.ShadowBakColor(), 0xFFFFFFu);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(c.ScalePropsX(i).ColorScale(), 0u);
    EXPECT_EQ(c.ScalePropsY(i).Font().Color, 0u);
    EXPECT_EQ(c.ScaleX(i).ColorScale(), 0u);  // the scales follow their settings
  }
  c.ReloadBackupColors();
  EXPECT_EQ(c.Paints, 0);
  EXPECT_EQ(c.WindColor(), 0x102030u);
  EXPECT_EQ(c.ChartColor(), 0x405060u);
  EXPECT_EQ(c.ChartFrameColor(), 0x708090u);
  EXPECT_EQ(c.Font().Color, 0x0A0B0Cu);
  EXPECT_EQ(c.ShadowColor(), 0x111111u);
  EXPECT_EQ(c.ShadowBakColor(), 0x222222u);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(c.ScalePropsX(i).ColorScale(), scale[i - 1]);
    EXPECT_EQ(c.ScalePropsY(i).ColorScale(), scale[i + 1]);
    EXPECT_EQ(c.ScalePropsX(i).Font().Color, font[i - 1]);
    EXPECT_EQ(c.ScalePropsY(i).Font().Color, font[i + 1]);
    EXPECT_EQ(c.ScaleY(i).ColorScale(), scale[i + 1]);
  }
}

}  // namespace
}  // namespace mivo
