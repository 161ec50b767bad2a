#include "app/BillState.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Status = BillState::Status;

// A complete run, a new price list, a refused "Refresh", then a run answered No and a load: each
// change is announced once, and the marks the engine reads stay in step.
TEST(BillState, ANewPriceListKeepsTheBillStaleUntilTheNextRunEnds)
{
    tarvek::RunState marks;
    BillState bill(marks);
    std::vector<Status> heard;
    QObject::connect(&bill, &BillState::changed,
                     [&heard](Status status) { heard.push_back(status); });

    marks.billShown = true; // the engine's end of a complete run
    marks.billReady = true;
    bill.followRun();
    bill.followRun();
    EXPECT_TRUE(bill.shown());

    bill.priceListChanged();
    EXPECT_FALSE(marks.billReady || marks.billShown);
    bill.followRun(); // the refused "Refresh" marks nothing
    EXPECT_EQ(bill.status(), Status::Stale);
    EXPECT_FALSE(bill.current());

    bill.listEmptied(); // the next run starts
    marks.billReady = true;
    bill.followRun();
    bill.listEmptied();
    EXPECT_EQ(bill.status(), Status::Computed);
    EXPECT_TRUE(marks.billReady && !marks.billShown);

    bill.forget();
    EXPECT_FALSE(marks.billReady);
    EXPECT_EQ(heard, (std::vector<Status>{Status::Shown, Status::Stale, Status::NoBill,
                                          Status::Computed, Status::NoBill}));
}

} // namespace
