// The completions of the host's sequences: each runs once its parameters are
// collected, with ParseState already back at ground.
#pragma once

// Screen commands.
void CursorAddress();
void EraseToEndOfLine();
void EraseToEndOfWindow();
void EraseRectangle();
void AttributeRectangle();
void ScrollRectangleUp();
void ScrollRectangleDown();
void TopBorderTitle();
void BottomBorderTitle();
void DefineViewport();
void JoinLines();
void ScreenInitialisationCommand();

// Attributes and wrap.
void NormalAttribute();
void HighlightAttribute();
void BlinkAttribute();
void AutoWrapOn();
void AutoWrapOff();

// Status row, busy and timing.
void HostBusy();
void HostReady();
void StatusText();
void RememberCursor();
void SetBellLength();
void SetBellFrequency();
void ClearOptionFlag();
void SetOptionFlag();
void InputEditorFlagE();
void InputEditorFlagClear();
void InputEditorFlagSet();

// Identification and diagnostics.
void IdentificationReply();
void DiagnosticDump();
void ReplyOne();

// Host windows and named screens.
void OpenWindow();
void OpenPopup();
void ClosePopup();
void CloseWindows();
void RestoreNamedScreen();
void CheckClearNamedScreen();
void LoadNamedScreen();
void SaveNamedScreen();
void DiscardNamedScreens();
void StoreUserScreenTitle();

// Shell requests.
void SetCaption();
void BringToForeground();
void ActivateWindowBehind();
void SetDisconnectPassword();

// Pick lists, input fields, keyboard, mouse, viewer.
void DefinePickItem();
void SetPickCount();
void StartPickSelection();
void StartPickSelectionLower();
void StartInputField();
void StartInputFieldLower();
void StartViewportBrowse();
void StartViewportBrowseLower();
void ReportMouseEvent();
void ViewerAddItem();
void ViewerClearList();
void ViewerShowList();
void Nothing();

// Text blocks and edit sessions.
void TextBlockBlank();
void TextBlockQuote();
void TextBlockBang();
void TextBlockHash();
void TextBlockDollar();
void TextBlockPercent();
void IdleTimer();
void PollEditWindows();
void CloseRememberedEditSession();
void CloseEditSession();
void AnswerEditSession();

// Files, transfers, dialing, DDE, login report, auxiliary port.
void ReplyStoredPath();
void StorePath();
void ChoosePath();
void CopyFileShort();
void CopyFileLong();
void DeleteHostFile();
void OpenDocument();
void ListDirectory();
void StartDownload();
void StartUploadO();
void StartUploadP();
void StartStreamDestination();
void SendSourceStream();
void DialFileVersion();
void AdviseReport();
void OpenSource();
void CopySource();
void DialListA();
void DialListD();
void DialListU();
void OsVersion();
void DialServiceReply();
void DialFileService();
void AnnounceLogin();
void AnnounceLogout();
void AuxiliaryOutput();
