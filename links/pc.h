// The platform settings object. Ten operations in this slot order; only
// slot 3 (which hands its second argument back) and slot 5 (whether the
// configured settings name a usable channel) do anything.
#pragma once

class _pc {
 public:
  virtual void op0() = 0;                                              // 0
  virtual void op1() = 0;                                              // 1
  virtual void op2() = 0;                                              // 2
  virtual int pass_through(int first, int second) = 0;                 // 3
  virtual void op4() = 0;                                              // 4
  virtual bool channel_configured(int mode, const char* host, int speed) = 0;  // 5
  virtual void op6() = 0;                                              // 6
  virtual void op7() = 0;                                              // 7
  virtual void op8() = 0;                                              // 8
  virtual void op9() = 0;                                              // 9
};

class _windows_pc final : public _pc {
 public:
  void op0() override {}
  void op1() override {}
  void op2() override {}
  int pass_through(int, int second) override { return second; }
  void op4() override {}
  // Telnet modes (0, 6, 9) need a host name; serial modes (1-5, 10, 11) a
  // speed code of 0 or more.
  bool channel_configured(int mode, const char* host, int speed) override;
  void op6() override {}
  void op7() override {}
  void op8() override {}
  void op9() override {}
};

extern _windows_pc WindowsPc;
