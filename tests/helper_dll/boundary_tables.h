/* The helper library's boundary as a caller without the C++ header sees it:
   objects whose first field points at a table of functions, called by slot
   number. Written in C by hand, so a slot that moved in the header or an
   export that changed its convention shows up here. */
#ifndef BOUNDARY_TABLES_H
#define BOUNDARY_TABLES_H

#ifdef __cplusplus
extern "C" {
#endif

struct BoundaryObject {
  void* const* table;
};

/* The terminal's two callback objects, recording the slots called. */
struct BoundaryObject* BoundaryEditToMoxel(void);
struct BoundaryObject* BoundaryHelperToMoxel(void);
/* Slot numbers called on the EditToMoxel object, in order. */
extern int BoundaryEditSlots[512];
extern int BoundaryEditSlotCount;
extern int BoundaryNotifications;
extern int BoundaryCloseRequest;
extern int BoundaryViewerSlots;

/* The library's exports. */
struct BoundaryExports {
  struct BoundaryObject* (__stdcall* connect)(struct BoundaryObject* callbacks);
  struct BoundaryObject* (__stdcall* createEditWindow)(struct BoundaryObject* callbacks, int* index, const char* title,
                                                      int session, int readOnly, const char* suffix);
  int(__stdcall* openFileName)(void* request);
};
int BoundaryLoad(const char* path, struct BoundaryExports* exports);

/* MoxelToEdit, slot by slot. */
int EditCloseSession(struct BoundaryObject* o, int session);
void EditAcknowledgeSend(struct BoundaryObject* o, int session);
int EditGetNextMessage(struct BoundaryObject* o, int session, const char** text, int* length);
void EditCloseAll(struct BoundaryObject* o);
void EditAddLoadedLine(struct BoundaryObject* o, int index, const char* text, int length);
void EditEndOfLoad(struct BoundaryObject* o, int index);
int EditCloseIndex(struct BoundaryObject* o, int index);
int EditGetPendingSession(struct BoundaryObject* o);
void EditCancelContinuation(struct BoundaryObject* o, int session);
void EditHostReply(struct BoundaryObject* o, int session, const char* reply);
void EditSetAllViewOnly(struct BoundaryObject* o);
int EditAnyBusy(struct BoundaryObject* o);
void EditCloseIdle(struct BoundaryObject* o);

/* MoxelToHelper, slot by slot. */
int HelperOnIdle(struct BoundaryObject* o, long count);
int HelperPreTranslateMessage(struct BoundaryObject* o, void* message);
int HelperClearList(struct BoundaryObject* o);
void HelperAddItem(struct BoundaryObject* o, const char* entry);
void HelperShowList(struct BoundaryObject* o);
void HelperCloseList(struct BoundaryObject* o);
void HelperGetMonitorSize(struct BoundaryObject* o, void* window, int* width, int* height);

#ifdef __cplusplus
}
#endif

#endif
