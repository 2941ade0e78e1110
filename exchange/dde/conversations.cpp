#include "conversations.h"

#include <cstdio>
#include <cstring>

#include "command_substitution.h"
#include "dde_transfer_link.h"
#include "transfer_objects.h"
#include "transfer_starts.h"

DdeEndpointRecord Dde;

namespace {

DdePort* Port = nullptr;

constexpr int kRegistryNameSize = 41;  // names read from the registry: at most 40 bytes

bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
    char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

void FreeString(DdeStringHandle& handle) {
  if (handle && Port) Port->FreeString(handle);
  handle = 0;
}

bool AnySlotWaiting() {
  for (const DdeSlot& s : Dde.slots)
    if (s.state == kSlotWaiting) return true;
  return false;
}

// The launch timer is shared by every waiting slot: it stops only when none
// is left.
void StopLaunchTimerWhenIdle() {
  if (!AnySlotWaiting()) Port->StopLaunchTimer();
}

// A service or topic field: "&" and a file type reads the type's DDE name
// from the registry. Counts the "&http" forms.
void ResolveName(const char* field, const char* keyFormat, bool service, int* httpCount, char* out) {
  if (field[0] != '&') {
    CopyDdeName(out, field);
    return;
  }
  const char* rest = field + 1;
  const bool http = std::strcmp(rest, "http") == 0;
  if (http) ++*httpCount;
  char key[kHelperFieldSize + 40];
  std::snprintf(key, sizeof key, keyFormat, rest);
  char value[kRegistryNameSize] = "";
  if (Port->ReadClassesRoot(key, value, sizeof value) <= 0) {
    CopyDdeName(out, rest);
    return;
  }
  if (service && http && EqualNoCase(value, "nsshell")) {
    CopyDdeName(out, "NETSCAPE");
  } else if (service && http && EqualNoCase(value, "Mozilla")) {
    CopyDdeName(out, "Netscape6");
  } else {
    CopyDdeName(out, value);
  }
}

enum class CommandLookup { kFound, kLiteral, kTooLong };

// The command line of a helper command: the registry's open command of B
// (for "H" and ".ext" the extension's file type), else helper B, else A.
CommandLookup FindCommandLine(const HelperCommand& c, char* command) {
  const char* name = c.b[0] == '&' ? c.b + 1 : c.b;
  if (name[0]) {
    char type[kHelperFieldSize] = "";
    const char* keyName = name;
    if (c.op == 'H' && name[0] == '.') {
      const int n = Port->ReadClassesRoot(name, type, sizeof type);
      keyName = n > 0 && n < static_cast<int>(sizeof type) ? type : nullptr;
    }
    if (keyName) {
      char key[kHelperFieldSize + 32];
      std::snprintf(key, sizeof key, "%s\\shell\\open\\command", keyName);
      const int n = Port->ReadClassesRoot(key, command, kHelperCommandSize);
      if (n >= kHelperCommandSize) return CommandLookup::kTooLong;
      if (n > 0) return CommandLookup::kFound;
    }
    const int n = Port->ReadHelper(name, command, kHelperCommandSize);
    if (n >= kHelperCommandSize) return CommandLookup::kTooLong;
    if (n > 0) return CommandLookup::kFound;
  }
  std::snprintf(command, kHelperCommandSize, "%s", c.a);
  return CommandLookup::kLiteral;
}

bool EnsureInstance() {
  if (Dde.instanceCreated) return true;
  if (!Port->Initialize()) return false;
  for (DdeSlot& s : Dde.slots) s = DdeSlot{};
  Dde.instanceCreated = true;
  return true;
}

int FindConnected(const char* service, const char* topic) {
  for (int i = 0; i < kDdeSlotCount; ++i) {
    const DdeSlot& s = Dde.slots[i];
    if (s.state == kSlotConnected && std::strcmp(s.service, service) == 0 && std::strcmp(s.topic, topic) == 0)
      return i;
  }
  return -1;
}

int FirstFree() {
  for (int i = 0; i < kDdeSlotCount; ++i)
    if (Dde.slots[i].state == kSlotFree) return i;
  return -1;
}

// Connects slot to its service and topic; 0 when that fails.
DdeConversation ConnectSlot(DdeSlot& s) {
  DdeStringHandle service = Port->CreateString(s.service);
  DdeStringHandle topic = service ? Port->CreateString(s.topic) : 0;
  DdeConversation c = topic ? Port->Connect(service, topic) : 0;
  FreeString(service);
  FreeString(topic);
  return c;
}

void SetConnected(DdeSlot& s, DdeConversation c) {
  s.state = kSlotConnected;
  s.advise = 0;
  s.conversation = c;
}

// Runs the slot's recorded operation on its conversation.
int RunOperation(int index) {
  DdeSlot& s = Dde.slots[index];
  switch (s.op) {
    case 'C':
      Port->Disconnect(s.conversation);
      s.state = kSlotFree;
      s.conversation = 0;
      FreeString(s.item);
      return 0;
    case 'A': {
      const bool ok = Port->Transaction(s.conversation, 0, s.item, kDdeAdviseStart, nullptr);
      FreeString(s.item);
      if (!ok) return 0;
      UseEmptyDdeSource();
      return 1;
    }
    case 'R': {
      DdeDataHandle answer = 0;
      const bool ok = Port->Transaction(s.conversation, 0, s.item, kDdeRequest, &answer);
      FreeString(s.item);
      if (!ok && answer) Port->FreeData(answer);
      if (!ok || !answer) return 0;
      UseDdeSource(answer);
      return 1;
    }
    case 'S':
      Port->Transaction(s.conversation, 0, s.item, kDdeAdviseStop, nullptr);
      FreeString(s.item);
      return 0;
    case 'E':
    case 'P':
      UseDdeDestination(index, s.item, s.transaction);
      s.item = 0;  // the destination owns it now
      return 1;
    default:
      FreeString(s.item);
      return 0;
  }
}

enum class LaunchResult { kConnected, kWaiting, kFailed, kLaunchedOnly };

// A conversation with the slot's application, launching it when it does
// not answer; without a conversation wanted the command line just runs.
LaunchResult ConnectOrLaunch(int index, const char* service, const char* topic, const char* command,
                             bool conversationWanted) {
  DdeSlot& s = Dde.slots[index];
  if (conversationWanted) {
    CopyDdeName(s.service, service);
    CopyDdeName(s.topic, topic);
    if (DdeConversation c = ConnectSlot(s)) {
      SetConnected(s, c);
      return LaunchResult::kConnected;
    }
    s.state = kSlotWaiting;
    Port->StartLaunchTimer(kDdeLaunchTimeout);
  }
  const bool launched = Port->Launch(command) > 31;
  if (launched && conversationWanted) {
    // This start's completion belongs to this slot alone.
    for (DdeSlot& other : Dde.slots) other.ownsPendingStart = false;
    s.ownsPendingStart = true;
    return LaunchResult::kWaiting;
  }
  s.state = kSlotFree;
  if (conversationWanted) StopLaunchTimerWhenIdle();
  return launched ? LaunchResult::kLaunchedOnly : LaunchResult::kFailed;
}

// A program started for an endpoint that needs no conversation.
int LaunchedOnly(int direction) {
  if (direction != kHelperToHost) return 0;
  UseEmptyDdeSource();
  return 1;
}

}  // namespace

void AttachDdePort(DdePort* port) {
  Port = port;
  TransferPorts.openHelperEndpoint = port ? OpenHelperEndpoint : nullptr;
  TransferPorts.ddeLink = port ? &DdeTransferLinkInstance() : nullptr;
}

DdePort* AttachedDdePort() { return Port; }

int OpenHelperEndpoint(const char* name, int direction) {
  if (!Port) return 0;
  HelperCommand c;
  if (!ParseHelperCommand(name, direction, &c)) return 0;
  int httpCount = 0;
  char service[kDdeNameSize];
  char topic[kDdeNameSize];
  ResolveName(c.service, "%s\\shell\\open\\ddeexec\\Application", true, &httpCount, service);
  ResolveName(c.topic, "%s\\shell\\open\\ddeexec\\Topic", false, &httpCount, topic);
  if (c.op == 'R') ++httpCount;
  if (httpCount == 3) {
    // A web address for the browser; the host gets an empty upload.
    Port->OpenAddress(c.item);
    UseEmptyDdeSource();
    return 1;
  }
  const bool hostProgram = c.op == 'H';
  // An empty name would be DDE's wildcard: any application at all.
  if (!hostProgram && (!service[0] || !topic[0])) return 0;
  if (c.op != 'C' && c.op != 'S' && !hostProgram && !EnsureInstance()) return 0;
  const int connected = hostProgram ? -1 : FindConnected(service, topic);

  char command[kHelperCommandSize];
  const CommandLookup lookup = FindCommandLine(c, command);
  if (lookup == CommandLookup::kTooLong) return 0;
  bool conversationWanted = !hostProgram;
  if (lookup == CommandLookup::kFound) {
    const char* argument = nullptr;
    if (hostProgram) {
      argument = std::strchr(c.a, ' ');
    } else if (c.item[0]) {
      argument = c.item;
    }
    const SubstitutionResult r = SubstituteArgument(command, argument, hostProgram);
    if (r == SubstitutionResult::kTooLong) return 0;
    // The data travels on the command line.
    if (r == SubstitutionResult::kSubstituted) conversationWanted = false;
  }
  if (hostProgram) return Port->Launch(command) > 31 ? LaunchedOnly(direction) : 0;

  DdeStringHandle item = c.item[0] && c.op != 'E' ? Port->CreateString(c.item) : 0;
  int index = connected;
  if (index < 0) {
    if (c.op == 'C' || c.op == 'S') {
      FreeString(item);
      return 0;
    }
    index = FirstFree();
    if (index < 0) {
      FreeString(item);
      return 0;
    }
  }
  DdeSlot& s = Dde.slots[index];
  s.op = c.op;
  s.transaction = HelperTransaction(c.op);
  FreeString(s.item);
  s.item = item;
  if (connected >= 0) return RunOperation(index);
  switch (ConnectOrLaunch(index, service, topic, command, conversationWanted)) {
    case LaunchResult::kConnected:
      return RunOperation(index);
    case LaunchResult::kWaiting:
      return -1;
    case LaunchResult::kLaunchedOnly:
      FreeString(s.item);
      return LaunchedOnly(direction);
    case LaunchResult::kFailed:
    default:
      FreeString(s.item);
      return 0;
  }
}

void DdeRegistrationArrived(int index) {
  if (!Port || index < 0 || index >= kDdeSlotCount) return;
  DdeSlot& s = Dde.slots[index];
  if (s.state != kSlotWaiting) return;
  // Only the start that launched the application still waits for it: a
  // start the host or a reset gave up on runs nothing (it would set up
  // whatever transfer came since).
  const bool owned = s.ownsPendingStart && Transfers.pendingStart;
  s.ownsPendingStart = false;
  int result = 0;
  if (DdeConversation c = ConnectSlot(s)) {
    SetConnected(s, c);
    if (owned) result = RunOperation(index);
  } else {
    s.state = kSlotFree;
  }
  if (!owned || s.state == kSlotFree) FreeString(s.item);
  StopLaunchTimerWhenIdle();
  if (owned) CompletePendingStart(result);
}

void DdeLaunchTimedOut() {
  if (!Port) return;
  Port->StopLaunchTimer();
  bool complete = false;
  for (DdeSlot& s : Dde.slots) {
    if (s.state != kSlotWaiting) continue;
    s.state = kSlotFree;
    FreeString(s.item);
    complete = complete || s.ownsPendingStart;
    s.ownsPendingStart = false;
  }
  if (complete) CompletePendingStart(0);
}

void DdeConversationEnded(DdeConversation conversation) {
  for (DdeSlot& s : Dde.slots) {
    if (s.state != kSlotConnected || s.conversation != conversation) continue;
    s.state = kSlotFree;
    s.conversation = 0;
    s.advise = 0;
    FreeString(s.item);
  }
}

void DdeAdviseArrived(DdeConversation conversation) {
  bool any = false;
  for (DdeSlot& s : Dde.slots) {
    if (s.state != kSlotConnected || s.conversation != conversation) continue;
    s.advise = 1;
    any = true;
  }
  if (any && Port) Port->PostAdviseNotice();
}

void DdeServiceRegistered(const char* service) {
  if (!Port || !service) return;
  // Slot names are cut to 15 characters: so is the registered name.
  char name[kDdeNameSize];
  CopyDdeName(name, service);
  for (int i = 0; i < kDdeSlotCount; ++i) {
    const DdeSlot& s = Dde.slots[i];
    if (s.state == kSlotWaiting && EqualNoCase(s.service, name)) Port->PostRegistration(i);
  }
}

int WriteAdviseReport(uint8_t* out, int size) {
  int n = 0;
  bool first = true;
  for (DdeSlot& s : Dde.slots) {
    if (s.state != kSlotConnected || !s.advise) continue;
    const int service = static_cast<int>(std::strlen(s.service));
    const int topic = static_cast<int>(std::strlen(s.topic));
    const int need = (first ? 0 : 1) + service + 1 + topic;
    if (n + need > size) break;
    s.advise = 0;
    if (!first) out[n++] = 0xFD;
    std::memcpy(out + n, s.service, static_cast<size_t>(service));
    n += service;
    out[n++] = 0xFC;
    std::memcpy(out + n, s.topic, static_cast<size_t>(topic));
    n += topic;
    first = false;
  }
  return n;
}

void ShutDownDde() {
  if (!Port) return;
  DiscardDdeTransferData();
  for (DdeSlot& s : Dde.slots) {
    FreeString(s.item);
    if (s.state == kSlotConnected) Port->Disconnect(s.conversation);
    s = DdeSlot{};
  }
  Port->StopLaunchTimer();
  if (Dde.instanceCreated) Port->Uninitialize();
  Dde.instanceCreated = false;
}

void ResetDdeEndpoints() { Dde = DdeEndpointRecord{}; }
