// Restore Previous Values: from what the unit reports after an update back to the backup
// taken before it, only for what that update wrote.
#include "forms/previous_values.h"

#include <gtest/gtest.h>

using forms::ConfigRecord;
using forms::UpdateEntry;

namespace {

ConfigRecord backedUp()
{
    ConfigRecord r;
    r.systemName = "Hadra Base";
    r.systemContact = "Network Operations";
    r.systemLocation = "North Tower";
    r.radioChannel = "6";
    r.rssiThreshold = "25";
    r.remoteStations = {{"101", "10.0.0.1", "10.0.0.2"}};
    r.dnsServers = {{"192.0.2.53"}};
    return r;
}

} // namespace

TEST(PreviousValues, OnlyWhatTheUpdateChangedAndTheUnitAcceptedIsWrittenBack)
{
    struct Case
    {
        const char *name;
        void (*edit)(ConfigRecord &);                                    // the operator's changes
        void (*refuse)(ConfigRecord &after, const ConfigRecord &before); // what the unit did not take
        QList<UpdateEntry> expected;
    };
    const Case cases[] = {
        {"one of three settings refused",
         [](ConfigRecord &r) {
             r.systemName = "Mast 2";
             r.systemContact = "Ops desk";
             r.systemLocation = "Roof 9";
         },
         [](ConfigRecord &after, const ConfigRecord &before) { after.systemContact = before.systemContact; },
         {{"Changing System Name..", "01", "Hadra Base"},
          {"Changing System Location info..", "03", "North Tower"}}},
        {"a list: the addition taken, the removal refused",
         [](ConfigRecord &r) { r.dnsServers = {{"203.0.113.53"}}; },
         [](ConfigRecord &after, const ConfigRecord &) {
             after.dnsServers = {{"192.0.2.53"}, {"203.0.113.53"}};
         },
         {{"Removing DNS Server: 203.0.113.53..", "22", "203.0.113.53"}}},
        {"a new station with its radio address is removed again",
         [](ConfigRecord &r) {
             r.remoteStations << QStringList{"102", "10.0.0.1", "10.0.0.4"};
         },
         [](ConfigRecord &, const ConfigRecord &) {},
         {{"Removing Remote Unit 102 from list..", "51", "102"}}},
        {"the password is never restored",
         [](ConfigRecord &r) {
             r.newPassword = "s3cret";
             r.radioChannel = "11";
         },
         [](ConfigRecord &after, const ConfigRecord &before) { after.radioChannel = before.radioChannel; },
         {}},
    };
    for (const Case &c : cases) {
        ConfigRecord current = backedUp();
        c.edit(current);
        const forms::UpdateList update = forms::compareRecords(backedUp(), current);
        ConfigRecord after = current;
        after.newPassword.clear();
        c.refuse(after, backedUp());
        // A setting the update did not write, changed on the unit meanwhile: left alone.
        after.rssiThreshold = "30";
        EXPECT_EQ(forms::previousValues(update, after, backedUp()).entries, c.expected) << c.name;
    }
}
