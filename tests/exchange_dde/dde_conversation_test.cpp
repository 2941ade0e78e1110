// The conversation table: four slots, connect or launch, the shared launch
// timer, registrations, disconnects and the one completion of a start.
#include <string>

#include "dde_fixture.h"

namespace {

class DdeSlots : public DdeTest {
 protected:
  // Opens an advise link on SERVICE|T; the empty upload that follows a
  // good start is run to its end.
  std::string Advise(const std::string& service) {
    std::string reply = StartUpload("A/x/" + service + "/T/i");
    bool ended = false;
    if (reply == "\r") {
      EXPECT_EQ(UploadAll(&ended), "");
    }
    return reply;
  }
};

TEST_F(DdeSlots, AFifthConversationFailsItsOpen) {
  dde.services = {"S1|T", "S2|T", "S3|T", "S4|T", "S5|T"};
  for (int i = 1; i <= 4; ++i) {
    ASSERT_EQ(Advise("S" + std::to_string(i)), "\r") << i;
  }
  dde.launchResult = 33;
  EXPECT_EQ(Advise("S5"), "\x01");
  EXPECT_EQ(dde.connects.size(), 4u) << "no slot: not even a connect";
  EXPECT_TRUE(dde.launches.empty());
  // A known conversation still works with all slots taken.
  EXPECT_EQ(Advise("S2"), "\r");
  EXPECT_EQ(dde.connects.size(), 4u) << "the connected slot is reused";
  // One application goes away: its slot is free for the fifth.
  DdeConversationEnded(Dde.slots[0].conversation);
  EXPECT_EQ(Advise("S5"), "\r");
  EXPECT_EQ(std::string(Dde.slots[0].service), "S5");
}

TEST_F(DdeSlots, ALaunchedApplicationIsUsedOnceItRegisters) {
  dde.helpers["calc"] = "calc.exe /dde";
  ASSERT_EQ(StartUpload("R/calc/CALC/sheet/R1C1"), "") << "pending: no reply yet";
  EXPECT_EQ(dde.launches, std::vector<std::string>{"calc.exe /dde"});
  EXPECT_TRUE(dde.timerRunning);
  EXPECT_EQ(dde.timerMilliseconds, 30000);
  EXPECT_EQ(Dde.slots[0].state, kSlotWaiting);

  // Another service registering is not ours.
  DdeServiceRegistered("OTHER");
  EXPECT_TRUE(dde.registrations.empty());
  dde.services = {"CALC|sheet"};
  dde.answers["R1C1"] = "42";
  DdeServiceRegistered("calc");  // the name compares without regard to case
  ASSERT_EQ(dde.registrations, std::vector<int>{0});
  DdeRegistrationArrived(0);
  EXPECT_EQ(TakeSent(), "\r") << "the start's reply, now";
  EXPECT_FALSE(dde.timerRunning) << "no slot waits any more";
  bool ended = false;
  EXPECT_EQ(UploadAll(&ended), "42");
  EXPECT_EQ(Dde.slots[0].state, kSlotConnected);
  // A second registration of the same slot does nothing.
  DdeRegistrationArrived(0);
  EXPECT_EQ(TakeSent(), "");
}

TEST_F(DdeSlots, ARegistrationIsMatchedAgainstEveryWaitingSlot) {
  ASSERT_EQ(StartDownload("Pfirst.exe/x/FIRST/T/i"), "");
  AbandonAllTransfers();  // the host gave up on the first; its slot still waits
  ASSERT_EQ(StartDownload("Psecond.exe/x/SECOND/T/i"), "");
  ASSERT_EQ(Dde.slots[1].state, kSlotWaiting);
  dde.services = {"SECOND|T"};
  DdeServiceRegistered("SECOND");
  ASSERT_EQ(dde.registrations, std::vector<int>{1}) << "the second waiting slot, not the first";
  DdeRegistrationArrived(1);
  EXPECT_EQ(TakeSent(), "\x01");
  EXPECT_TRUE(dde.timerRunning) << "the first slot still waits";
  DdeLaunchTimedOut();
  EXPECT_EQ(TakeSent(), "") << "the abandoned start is not answered";
  EXPECT_EQ(Dde.slots[0].state, kSlotFree);
  EXPECT_EQ(Dde.slots[1].state, kSlotConnected);
  EXPECT_FALSE(dde.timerRunning);
}

TEST_F(DdeSlots, ALongServiceNameRegistersByItsFirst15Characters) {
  ASSERT_EQ(StartUpload("Rlong.exe/x/LongServiceName2000/T/i"), "");
  EXPECT_EQ(std::string(Dde.slots[0].service), "LongServiceName");
  DdeServiceRegistered("LongServiceName");
  DdeServiceRegistered("LongServiceName2000");
  EXPECT_EQ(dde.registrations, (std::vector<int>{0, 0}));
  DdeLaunchTimedOut();
  EXPECT_EQ(TakeSent(), "\x01");
}

TEST_F(DdeSlots, TheLaunchTimeOutFailsTheStartOnce) {
  ASSERT_EQ(StartDownload("Pslow.exe/x/SLOW/T/i"), "");
  DdeLaunchTimedOut();
  EXPECT_EQ(TakeSent(), "\r") << "ESC D I's failure reply";
  EXPECT_EQ(Dde.slots[0].state, kSlotFree);
  EXPECT_FALSE(dde.timerRunning);
  // Late registration and a second expiry find nothing to complete.
  dde.services = {"SLOW|T"};
  DdeServiceRegistered("SLOW");
  DdeRegistrationArrived(0);
  DdeLaunchTimedOut();
  EXPECT_EQ(TakeSent(), "");
  EXPECT_TRUE(dde.registrations.empty());
}

TEST_F(DdeSlots, AFailedLaunchStopsTheTimerOnlyWhenNoSlotWaits) {
  ASSERT_EQ(StartDownload("Pwaits.exe/x/W/T/i"), "");
  AbandonAllTransfers();
  dde.launchResult = 2;  // file not found
  EXPECT_EQ(StartDownload("Pmissing.exe/x/M/T/i"), "\r");
  EXPECT_EQ(Dde.slots[1].state, kSlotFree);
  EXPECT_TRUE(dde.timerRunning) << "slot 0 still waits for its application";
  EXPECT_EQ(Dde.slots[0].state, kSlotWaiting);
}

TEST_F(DdeSlots, AnEmulationResetDropsTheCompletion) {
  ASSERT_EQ(StartUpload("Rapp.exe/x/APP/T/i"), "");
  AbandonAllTransfers();
  dde.services = {"APP|T"};
  dde.answers["i"] = "x";
  DdeServiceRegistered("APP");
  DdeRegistrationArrived(0);
  EXPECT_EQ(TakeSent(), "") << "no reply to a start the reset forgot";
  EXPECT_EQ(Dde.slots[0].state, kSlotConnected) << "the application is there for the next start";
  EXPECT_TRUE(dde.transactions.empty()) << "the forgotten request is not made";
  EXPECT_TRUE(InGround());
  // A file upload started since keeps its own source.
  files.Put("f.txt", "file");
  ASSERT_EQ(StartUpload("Rapp2.exe/x/APP2/T/i"), "");
  AbandonAllTransfers();
  Feed(kUpload + "f.txt\n");
  EXPECT_EQ(TakeSent(), "\r");
  dde.services.insert("APP2|T");
  DdeServiceRegistered("APP2");
  DdeRegistrationArrived(1);
  bool ended = false;
  EXPECT_EQ(UploadAll(&ended), "file");
}

TEST_F(DdeSlots, ANewStartDropsTheStartStillPending) {
  ASSERT_EQ(StartUpload("Rapp.exe/x/APP/T/i"), "");
  // The host does not wait: a hexadecimal upload of a file starts.
  files.Put("f.txt", "AB");
  Feed(kEsc + "DSf.txt\n\r");
  EXPECT_EQ(TakeSent(), "4142\r");
  dde.services = {"APP|T"};
  dde.answers["i"] = "x";
  DdeServiceRegistered("APP");
  DdeRegistrationArrived(0);
  EXPECT_EQ(TakeSent(), "") << "no late reply to the dropped start";
  EXPECT_TRUE(dde.transactions.empty());
  Feed("\r");
  EXPECT_EQ(TakeSent(), "\x02\n") << "the file upload goes on to its end";
  EXPECT_EQ(files.OpenHandles(), 0);
}

TEST_F(DdeSlots, APlaceholderPutsTheDataOnTheCommandLineWithoutAConversation) {
  dde.helpers["view"] = "viewer.exe %1";
  EXPECT_EQ(StartUpload("A/view/NOPE/T/report.txt"), "\r") << "launched: an empty upload";
  bool ended = false;
  EXPECT_EQ(UploadAll(&ended), "");
  EXPECT_EQ(dde.launches, std::vector<std::string>{"viewer.exe report.txt"});
  EXPECT_FALSE(dde.timerRunning);
  EXPECT_EQ(Dde.slots[0].state, kSlotFree);
  EXPECT_EQ(StartDownload("P/view/NOPE/T/report.txt"), "\r") << "a destination cannot be launched into";
}

TEST_F(DdeSlots, TheInstanceIsCreatedOnceAndEndsAtShutDown) {
  dde.services = {"S|T"};
  ASSERT_EQ(Advise("S"), "\r");
  ASSERT_EQ(Advise("S"), "\r");
  EXPECT_EQ(dde.initializeCalls, 1);
  ShutDownDde();
  EXPECT_EQ(dde.uninitializeCalls, 1);
  EXPECT_EQ(dde.disconnects.size(), 1u);
  EXPECT_EQ(Dde.slots[0].state, kSlotFree);
}

}  // namespace
