#include "dde_transfer_link.h"

#include "conversations.h"
#include "transfer_objects.h"
#include "transfer_starts.h"

namespace {

void FreeSourceData() {
  if (Dde.sourceData && AttachedDdePort()) AttachedDdePort()->FreeData(Dde.sourceData);
  Dde.sourceData = 0;
  Dde.sourceSize = 0;
}

void FreeDestination() {
  DdePort* port = AttachedDdePort();
  if (port && Dde.destinationItem) port->FreeString(Dde.destinationItem);
  if (port && Dde.destinationData) port->FreeData(Dde.destinationData);
  Dde.destinationItem = 0;
  Dde.destinationData = 0;
  Dde.destinationCount = 0;
  Dde.destinationSlot = -1;
  Dde.destinationTransaction = 0;
}

class Link final : public DdeEndpointLink {
 public:
  // Reads at the upload's own position: a block the host asks for again is
  // the same bytes. At the end the answer is freed, and later reads find
  // nothing.
  int SourceRead(int64_t position, uint8_t* buffer, int maximum) override {
    DdePort* port = AttachedDdePort();
    if (!port || !Dde.sourceData || maximum <= 0) return 0;
    if (position < 0 || position >= Dde.sourceSize) {
      FreeSourceData();
      return 0;
    }
    const int64_t left = Dde.sourceSize - position;
    const int n = left < maximum ? static_cast<int>(left) : maximum;
    const int got = port->GetData(Dde.sourceData, buffer, n, static_cast<int>(position));
    return got > 0 ? got : 0;
  }
  void SourceClose() override { FreeSourceData(); }

  // Each chunk goes into the data handle at the count; the one zero the
  // application sees after the text is added when the download closes.
  bool DestinationWrite(const uint8_t* bytes, int count) override {
    DdePort* port = AttachedDdePort();
    if (!port || Dde.destinationSlot < 0) return false;
    if (count <= 0) return true;
    DdeDataHandle h = port->AddData(Dde.destinationData, bytes, count, Dde.destinationCount, Dde.destinationItem);
    if (!h) return false;
    Dde.destinationData = h;
    Dde.destinationCount += count;
    return true;
  }

  bool DestinationFinish() override {
    DdePort* port = AttachedDdePort();
    const int index = Dde.destinationSlot;
    bool ok = false;
    if (port && index >= 0 && index < kDdeSlotCount && Dde.slots[index].state == kSlotConnected) {
      static const uint8_t kZero = 0;
      DdeDataHandle h = port->AddData(Dde.destinationData, &kZero, 1, Dde.destinationCount, Dde.destinationItem);
      if (h) {
        Dde.destinationData = h;
        ok = port->Transaction(Dde.slots[index].conversation, h, Dde.destinationItem, Dde.destinationTransaction,
                               nullptr);
      }
    }
    FreeDestination();
    return ok;
  }
  void DestinationDiscard() override { FreeDestination(); }
};

Link TheLink;

}  // namespace

DdeEndpointLink& DdeTransferLinkInstance() { return TheLink; }

void UseEmptyDdeSource() {
  FreeSourceData();
  TransferObjects.ddeSource.position = 0;
  SetTransferSource(&TransferObjects.ddeSource);
}

void UseDdeSource(DdeDataHandle answer) {
  FreeSourceData();
  DdePort* port = AttachedDdePort();
  Dde.sourceData = answer;
  Dde.sourceSize = port ? port->TextLength(answer) : 0;
  TransferObjects.ddeSource.position = 0;
  SetTransferSource(&TransferObjects.ddeSource);
}

void UseDdeDestination(int slot, DdeStringHandle item, uint32_t transaction) {
  FreeDestination();
  Dde.destinationSlot = slot;
  Dde.destinationItem = item;
  Dde.destinationTransaction = transaction;
  TransferObjects.ddeDestination.quiet = 1;
  SetTransferDestination(&TransferObjects.ddeDestination);
}

void DiscardDdeTransferData() {
  FreeSourceData();
  FreeDestination();
}
