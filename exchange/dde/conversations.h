// The helper endpoints' DDE conversations: the 4-slot table, the opening of
// a helper endpoint, the launch of an application and its registration,
// the notifications of the DDE callback and the advise report. One record,
// owned by conversations.cpp; everything runs on the main window's thread.
#pragma once

#include <cstdint>

#include "dde_port.h"
#include "helper_command.h"

constexpr int kDdeSlotCount = 4;

enum DdeSlotState : int {
  kSlotFree = 0,
  kSlotConnected = 1,
  kSlotWaiting = 2,  // for a launched application to register
};

struct DdeSlot {
  uint8_t advise;  // the application reported new data on an advise link
  int state;
  DdeConversation conversation;
  uint32_t transaction;  // of the pending operation
  DdeStringHandle item;  // may be none
  char op;
  char service[kDdeNameSize];
  char topic[kDdeNameSize];
  // This slot's launch left the transfer's pending start: its registration
  // or time-out completes that start, once.
  bool ownsPendingStart;
};

struct DdeEndpointRecord {
  DdeSlot slots[kDdeSlotCount];
  bool instanceCreated;
  // _src_dde: the request's answer.
  DdeDataHandle sourceData;
  int64_t sourceSize;
  // _dest_dde: the conversation the host's data goes to, and the data so far.
  int destinationSlot = -1;
  DdeStringHandle destinationItem;
  uint32_t destinationTransaction;
  DdeDataHandle destinationData;
  int destinationCount;
};

extern DdeEndpointRecord Dde;

// The system behind the conversations (null: every helper endpoint fails).
// Also wires the transfer layer's helper endpoint and DDE link to this file.
void AttachDdePort(DdePort* port);
DdePort* AttachedDdePort();

// The transfer layer's helper endpoint: 1 ready, 0 failed, -1 pending.
int OpenHelperEndpoint(const char* name, int direction);

// WM_USER+6: slot's application registered its service.
void DdeRegistrationArrived(int slot);
// Timer 6 expired.
void DdeLaunchTimedOut();

// From the DDE callback.
void DdeConversationEnded(DdeConversation conversation);
void DdeAdviseArrived(DdeConversation conversation);
void DdeServiceRegistered(const char* service);

// ESC D W: the connected slots with advise data, service 0xFC topic, joined
// by 0xFD, without the final LF; their flags are cleared. Returns the count.
int WriteAdviseReport(uint8_t* out, int size);

// Program end: the conversations and the instance go.
void ShutDownDde();
// Back to the start state (the port stays attached); for tests.
void ResetDdeEndpoints();
