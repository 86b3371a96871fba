#pragma once
// The program's one link to the keyboard: binds the service library, registers the report
// streams, exchanges configuration reports and hands what the keyboard raises to a port.
#include <array>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/bridge_library.h"
#include "device/device_event_port.h"
#include "device/device_match_record.h"
#include "device/exchange_timings.h"
#include "device/report_exchanger.h"
#include "device/transaction_slot.h"

namespace talon {

enum class StartResult {
  kStarted,
  kLibraryNotLoadable,
  kEntryMissing,
  kInitFailed,  // "Init" answered 0 or less
};

class DeviceLink : public ReportExchanger {
 public:
  explicit DeviceLink(ExchangeTimings timings = {});
  // Takes the link's streams off the library, so no event reaches a link that is gone. Waits
  // for the handlers still running (serving the attached port meanwhile, as DetachEventPort).
  ~DeviceLink() override;
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Binds the library and registers the streams, in the order the library expects: Init, the
  // indicator data, 'CONS', the exchange slot, 'CTRL'; then counts the keyboards and hands the
  // count to the port. Events reach `port` from then on (it may be null). Only one started
  // link receives the library's events at a time: the most recently started one.
  StartResult Start(DeviceEventPort* port, const std::string& library = kBridgeLibraryName);
  // Why Start failed (the loader's message or the missing entry point).
  const std::string& error() const { return error_; }
  // The keyboard count found by Start; 0 means the program started without a keyboard.
  int start_count() const { return start_count_; }

  // Stops events reaching `port` (when it is the link's port). Once this returns, no event is
  // being handed to it any more, so the port may go away. While a handler of the port still
  // runs on another thread, the port's ServeWaitingCalls is called every few milliseconds, so a
  // handler waiting for the calling thread (the window's) can finish.
  void DetachEventPort(DeviceEventPort* port);

  // Keyboards present on the configuration channel (0 before Start).
  int CountDevices() const;

  int ExchangeReport(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer,
                     int& received) override;

  // The indicator status: two bytes, 5 and the G-bank state. The previous request is
  // cancelled first.
  void WriteIndicator(std::uint8_t state);

  // The callback of every registration. Always returns 1.
  static int OnBridgeEvent(const KbBridgeEvent* event);

 private:
  void Dispatch(const KbBridgeEvent& event, DeviceEventPort* port);
  void Register(const DeviceMatchRecord& record, std::uint32_t tag, std::uint32_t& unit_id);

  ExchangeTimings timings_;
  BridgeLibrary library_;
  bool started_ = false;
  std::string error_;
  int start_count_ = 0;
  DeviceEventPort* port_ = nullptr;  // guarded by the event lock in device_link.cpp

  TransactionSlot slot_;
  // Whole exchanges are serialised, so two threads never see each other's answers.
  std::mutex exchange_mutex_;

  std::mutex indicator_mutex_;
  std::array<std::uint8_t, 2> indicator_data_{5, 0x02};
  std::uint32_t consumer_unit_ = 0;
  std::uint32_t control_unit_ = 0;
  std::uint32_t indicator_unit_ = 0;
};

}  // namespace talon
