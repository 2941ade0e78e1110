// One seam per service that the host reaches through the data stream but that
// lives outside the parser. The parser collects each sequence's parameters
// exactly and hands them over here; replies that the sequence tables fix are
// built by the parser from the results. Every seam has a do-nothing default,
// which is what the terminal does while a service is not there.
//
// Numeric parameters are passed as they arrived, one byte each (value + 32):
// each service decodes and clamps them itself.
#pragma once

#include <cstdint>

// Host windows, pop-ups, named screens and the user-defined screen list.
class HostWindowSeam {
 public:
  virtual ~HostWindowSeam() = default;
  virtual void OpenWindow(const uint8_t p[6], const char* title) {}   // ESC W O
  virtual void OpenPopup(const uint8_t p[5], const char* title) {}    // ESC C O
  virtual void ClosePopup() {}                                         // ESC C C
  virtual void CloseWindows() {}                                       // ESC W C
  virtual void CloseAllWindows() {}                                    // screen initialisation
  virtual bool RestoreNamedScreen(const char* name) { return false; }  // ESC S A
  virtual bool CheckClearNamedScreen(const char* name) { return false; }  // ESC S C
  virtual bool LoadNamedScreen(const char* name) { return false; }     // ESC S L
  virtual void SaveNamedScreen() {}                                    // ESC S S
  virtual void DiscardNamedScreens() {}                                // ESC W R
};

// Pick lists.
class PickListSeam {
 public:
  virtual ~PickListSeam() = default;
  virtual void DefineItem(const uint8_t p[4], const char* key) {}              // ESC M L
  virtual void SetItemCount(uint8_t count) {}                                  // ESC M C
  virtual void StartSelection(uint8_t current, uint8_t mode, bool lowerForm) {}  // ESC M S / s
  // Emulation reset: a selection in progress is dropped without a reply.
  virtual void Abandon() {}
};

// Local input fields and the flags of their editor.
class InputFieldSeam {
 public:
  virtual ~InputFieldSeam() = default;
  virtual void StartField(const uint8_t p[5], const char* text, bool lowerForm) {}  // ESC I / i
  // ESC ^ E ('E'), ESC ^ M ('M'), ESC ^ m ('m').
  virtual void SetEditorFlag(char which) {}
  // Emulation reset: a field in progress is dropped without a reply and the
  // hidden-input and event-block flags are cleared.
  virtual void Abandon() {}
};

// A keyboard handler as the InputMode slot holds it: one internal key code
// in, non-zero when the code was accepted.
using LocalKeyHandler = int (*)(int32_t code);

// The keyboard side: input modes, type-ahead, mouse report.
class KeyboardSeam {
 public:
  virtual ~KeyboardSeam() = default;
  virtual void ReplayTypeAhead() {}                    // ESC ^ T while busy
  // Emulation reset: local-mode flags off, queues emptied, mode 0 installed.
  virtual void ResetInput() {}
  // ESC M G: the last mouse event, values not yet offset; returns 3 or 5.
  virtual int LastMouseEvent(int values[5]) {
    values[0] = values[1] = values[2] = 0;
    return 3;
  }

  // ---- Local modes: pick lists and input fields borrow the keyboard ----
  // Install a local handler with its keyboard-mode number and set the
  // local-mode flag.
  virtual void InstallLocalHandler(LocalKeyHandler handler, int modeNumber) {}
  // Clear the local-mode flag and install the normal handler (mode 0).
  virtual void RestoreNormalHandler() {}
  // The local-editing flag (keypad box drawing).
  virtual void SetLocalEditing(bool on) {}
  // Status indicator bit 2: the caret is the local mode's.
  virtual void SetLocalCaret(bool on) {}
  // The oldest key typed ahead, taken out of the queue; false when none waits.
  virtual bool NextTypeAhead(int32_t* code) { return false; }
  // Whether an event for a local mode waits: 1090 (PC message), 1092 (browse
  // request) or 1095 (edit-window event).
  virtual bool EventPending(int32_t code) { return false; }
  // The waiting PC message's text for the host; false when none waits.
  virtual bool TakePcMessage(char* text, int size) { return false; }
  // Let the messaging service show the message taken; when it is done it
  // calls LocalModeMessageDone().
  virtual void DeliverPcMessage() {}
  // The waiting browse request: its two texts and whether it asks for the
  // second ending code.
  virtual bool TakeBrowseRequest(char* first, int firstSize, char* second, int secondSize,
                                 bool* alternate) {
    return false;
  }
  // The waiting edit-window event's value; false when none waits. Taking it
  // clears the shell's edit-event flag.
  virtual bool TakeEditWindowEvent(int* value) { return false; }
  // Local edit mode's Alt+R: the system find dialog opens.
  virtual void OpenFindDialog() {}
  // Key 1094: the find dialog's text and request flags (1 up, 8 match case,
  // 16 whole word); false when no request waits.
  virtual bool TakeFindRequest(char* text, int size, uint8_t* flags) { return false; }
};

// Text blocks (edit sessions) and the program editor's windows.
class TextBlockSeam {
 public:
  virtual ~TextBlockSeam() = default;
  // ESC T with its kind letter (' ', '"', '!', '#', '$', '%'), the fixed bytes
  // (count depends on the kind) and the text. The service takes ParseState
  // over for the block body.
  virtual void OpenTextBlock(char kind, const uint8_t* fixed, int fixedCount, const char* text) {}
  virtual void StartViewportBrowse(bool lowerForm) {}              // ESC V / v: keyboard mode 2
  virtual void PollEditWindows() {}                                // ESC S G
  virtual void CloseRememberedEditSession() {}                     // ESC S B
  virtual void CloseEditSession(int session) {}                    // ESC S K
  virtual void AnswerEditSession(int session, const char* answer) {}  // ESC S R
  virtual void FreeLineStore() {}                                  // emulation reset
};

// Files and transfers.
class FileSeam {
 public:
  virtual ~FileSeam() = default;
  // ESC D B: a path chosen by the user, or "" when cancelled.
  virtual void ChoosePath(bool directory, const char* text, char* out, int outSize) { out[0] = 0; }
  // ESC D C / D c: copy (destination null when the text had no comma);
  // returns success, with the byte count or the error code.
  virtual bool CopyHostFile(const char* source, const char* destination, int64_t* countOrError) {
    *countOrError = 0;
    return false;
  }
  virtual bool CopySource(const char* destination, int64_t* countOrError) {  // ESC F C
    *countOrError = 0;
    return false;
  }
  virtual bool DeleteHostFile(const char* name) { return false; }           // ESC D D
  virtual bool OpenDocument(bool exclusive, const char* name) { return false; }  // ESC D E
  virtual void ListDirectory(const char* pattern) {}                   // ESC D F
  virtual void StartDownload(const char* name) {}                      // ESC D I
  virtual void StartUpload(char variant, const char* name) {}          // ESC D O / D P
  virtual void StartStreamDestination(const char* destination) {}      // ESC D R
  virtual void SendSourceStream(const char* name) {}                   // ESC D S
  virtual void OpenSource(const char* name) {}                         // ESC F I
  virtual void AbandonTransfers() {}                                   // emulation reset
};

// Printing: the transparent-print route.
class PrintSeam {
 public:
  virtual ~PrintSeam() = default;
  // ESC 3: true when the print route takes the bytes (route 0, job opened).
  virtual bool BeginTransparentPrint() { return false; }
  virtual void PrintByte(uint8_t byte) {}
  virtual void EndTransparentPrint() {}
};

// Dial lists and the dial service.
class DialSeam {
 public:
  virtual ~DialSeam() = default;
  // ESC G A / G D / G U with the number and the text: '0' done, '1' or '2'.
  virtual char DialListService(char which, const char* text) { return '1'; }
  virtual void DialFileService() {}                                 // ESC G F
  virtual const char* DialFileVersion() { return ""; }              // ESC D V
  virtual const char* OsVersion() { return ""; }                    // ESC G V
  virtual const char* DialServiceReply() { return ""; }             // ESC G W
};

// DDE conversations with helper applications.
class DdeSeam {
 public:
  virtual ~DdeSeam() = default;
  // ESC D W: writes the advise report (without its final LF) into out.
  virtual int AdviseReport(uint8_t* out, int outSize) { return 0; }
};

// The login report.
class LoginReportSeam {
 public:
  virtual ~LoginReportSeam() = default;
  virtual void AnnounceLogin(const char* text) {}   // ESC L I
  virtual void AnnounceLogout() {}                  // ESC L O
};

// The helper library's list viewer.
class ViewerSeam {
 public:
  virtual ~ViewerSeam() = default;
  virtual void AddItem(const char* text) {}   // ESC M N
  virtual void ClearList() {}                 // ESC M B
  virtual void ShowList() {}                  // ESC M D
};

// The auxiliary port.
class AuxPortSeam {
 public:
  virtual ~AuxPortSeam() = default;
  virtual bool IsOpen() { return false; }
  virtual void StartHostRead(int seconds) {}
  virtual void Write(const uint8_t* bytes, int count) {}
};
