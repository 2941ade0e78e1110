// A library named helper.dll that lacks ConnectToHelper.
extern "C" __declspec(dllexport) int NotTheHelper() { return 1; }
