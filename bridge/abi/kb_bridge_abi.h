/* The contract between the configurator and libKbBridge.so, the keyboard service library.
 *
 * Both builds of the library (bridge/hid over hidapi, bridge/virtual over the firmware model)
 * export exactly these C entry points; the configurator binds them by name with dlsym and
 * relies on nothing else. Multi-byte values inside byte buffers are little-endian.
 *
 * Worked example: counting keyboards on the configuration channel.
 *   uint8_t rec[16]  = 0F 00 00 00  45 0C  27 5D  1C FF  92 00  00 00 00 00
 *   check            = sum of CheckTable[b] over rec[0..15] and eight zero bytes
 *   RequestGetDeviceCount(rec, 0, 0, check, 0)  -> 1 when one keyboard is present
 * A call whose check value does not match its covered arguments is refused (result 0,
 * nothing done).
 *
 * Pointers are carried at their natural width: the callback address is covered by the check
 * value as its sizeof(void*) little-endian bytes, tags as 4 bytes.
 */
#ifndef TALON_KB_BRIDGE_ABI_H
#define TALON_KB_BRIDGE_ABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 16-byte device match record: flags u32, vendor u16, product u16, usage page u16, usage u16,
 * four reserved zero bytes. */
#define KB_MATCH_RECORD_SIZE 16
#define KB_MATCH_ALL_FIELDS 0x0Fu
#define KB_VENDOR_ID 0x0C45u
#define KB_PRODUCT_ID 0x5D27u

#define KB_CONFIG_USAGE_PAGE 0xFF1Cu /* vendor collection: config reports, 'CTRL' stream */
#define KB_CONFIG_USAGE 0x0092u
#define KB_CONSUMER_USAGE_PAGE 0x000Cu /* consumer collection: 'CONS' stream */
#define KB_CONSUMER_USAGE 0x0001u
#define KB_INDICATOR_USAGE_PAGE 0x0008u /* indicator output: 'LED' status write */
#define KB_INDICATOR_USAGE 0x0089u

/* Tags: up to four letters, first letter in the highest used byte. */
#define KB_TAG_CONS 0x434F4E53u
#define KB_TAG_CTRL 0x4354524Cu
#define KB_TAG_LED 0x004C4544u

#define KB_REPORT_SIZE 64

/* Event kinds of a BridgeEvent. */
#define KB_EVENT_PRESENCE 0 /* the number of matching devices changed; StreamBlock.count = new count */
#define KB_EVENT_REPORT 1   /* a report arrived on a registered stream; StreamBlock.count = bytes */

/* A consumer report as parsed by the library: the eighth field points at the 16-bit code. */
typedef struct KbParsedReport {
  uint32_t fields[7];
  const uint16_t* consumer_code;
} KbParsedReport;

typedef struct KbStreamBlock {
  uint32_t tag;
  uint32_t count;
  const uint8_t* data;
  void* unused;
  const KbParsedReport* parsed;
} KbStreamBlock;

typedef struct KbBridgeEvent {
  uint32_t kind;
  uint32_t unused;
  const KbStreamBlock* block;
} KbBridgeEvent;

/* The one callback of every registration; always returns 1. Called on the library's threads. */
typedef int (*KbBridgeCallback)(const KbBridgeEvent* event);

/* The twelve entry points. */
typedef int (*KbInitFn)(int zero);
typedef int (*KbRequestGetDeviceCountFn)(const uint8_t* record, uint32_t zero1, uint32_t zero2,
                                         uint32_t check, uint32_t zero3);
typedef int (*KbRequestWriteOneFn)(const uint8_t* record, uint32_t zero1, uint32_t zero2,
                                   const uint8_t* report, uint32_t length, uint32_t check,
                                   uint32_t zero3);
typedef int (*KbRequestAsyncReadFn)(const uint8_t* record, KbBridgeCallback callback, uint32_t tag,
                                    uint32_t check, uint32_t* unit_id);
typedef int (*KbRequestStatusWriteFn)(const uint8_t* record, KbBridgeCallback callback,
                                      uint32_t tag, const uint8_t* data, uint32_t length,
                                      uint32_t check, uint32_t* unit_id);
typedef int (*KbDeleteRequestFromUnitIdFn)(uint32_t unit_id);
/* Present for completeness; the configurator never calls them. */
typedef int (*KbEndFn)(void);
typedef int (*KbDebugFn)(int level);
typedef int (*KbDeleteRequestFromHandleFn)(void* handle);
typedef int (*KbRequestWriteFn)(const uint8_t* record, const uint8_t* data, uint32_t length,
                                uint32_t check);
typedef int (*KbRequestStatusGetFn)(const uint8_t* record, uint8_t* data, uint32_t length,
                                    uint32_t check);
typedef int (*KbRequestStatusSetFeatureFn)(const uint8_t* record, const uint8_t* data,
                                           uint32_t length, uint32_t check);

/* The check value's byte table (a permutation of 0-255) and the running sum over it:
 * returns `sum` plus kKbCheckTable[b] for every byte b of the buffer. */
extern const uint8_t kKbCheckTable[256];
uint32_t KbCheckAdd(uint32_t sum, const uint8_t* bytes, size_t length);

/* ---- Virtual keyboard control (only the virtual build exports these) ----------------------- */

/* Fault kinds for KbSimInjectFault. Each applies to `count` answers after `skip` answers pass. */
#define KBSIM_FAULT_DROP 1         /* no answer at all */
#define KBSIM_FAULT_WRONG_COMMAND 2 /* answer carries another command byte */
#define KBSIM_FAULT_STATUS_254 3   /* answer with status 254; request not carried out */
#define KBSIM_FAULT_STATUS_255 4   /* answer with status 255; request not carried out */
#define KBSIM_FAULT_DELAY 5        /* answer `param` ms late */
#define KBSIM_FAULT_SHORT 6        /* answer only `param` bytes long */
#define KBSIM_FAULT_UNPLUG 7       /* unplug instead of answering (mid-transfer removal) */

/* Memory areas for KbSimReadMemory / KbSimWriteMemory. */
#define KBSIM_AREA_DEVICE_INFO 1 /* 44 bytes */
#define KBSIM_AREA_SETTINGS 2    /* lighting blocks, 3 x 42 bytes used */
#define KBSIM_AREA_KEY_BANKS 3   /* 4 x 512 bytes, 420 used per bank */
#define KBSIM_AREA_DEFAULT_MAP 4 /* 420 bytes */
#define KBSIM_AREA_MACROS 5      /* capacity bytes */
#define KBSIM_AREA_COLOURS 6     /* 4 x 512 bytes */
#define KBSIM_AREA_INDICATOR 7   /* the last 'LED' status data, 2 bytes */

/* What a key position does under the active profile's bank. */
#define KBSIM_ACTION_NONE 0
#define KBSIM_ACTION_KEY 1      /* value = HID keyboard usage */
#define KBSIM_ACTION_MODIFIER 2 /* value = modifier mask */
#define KBSIM_ACTION_CONSUMER 3 /* value = consumer usage */
#define KBSIM_ACTION_SYSTEM 4   /* value = system control usage */
#define KBSIM_ACTION_MOUSE 5    /* value = (byte1 << 8) | byte2 of the mouse entry */
#define KBSIM_ACTION_MACRO 6    /* value = macro position n */
#define KBSIM_ACTION_STOP_MACRO 7
#define KBSIM_ACTION_FUNCTION 8 /* value = function number */
#define KBSIM_ACTION_GKEY 9     /* value = G key number */
#define KBSIM_ACTION_OTHER 10   /* an entry the firmware keeps but does not interpret */

typedef struct KbSimKeyAction {
  uint32_t kind;
  uint32_t value;
} KbSimKeyAction;

/* factory state, plugged, no faults, log cleared, reports not yet answered forgotten */
typedef void (*KbSimResetFn)(void);
typedef void (*KbSimPlugFn)(void);
typedef void (*KbSimUnplugFn)(void);
typedef void (*KbSimRaiseConsumerFn)(uint16_t code);
typedef void (*KbSimInjectFaultFn)(uint32_t kind, uint32_t skip, uint32_t count, uint32_t param);
typedef void (*KbSimClearFaultsFn)(void);
typedef void (*KbSimSetLatencyFn)(uint32_t microseconds);
typedef int (*KbSimReadMemoryFn)(uint32_t area, uint32_t offset, uint8_t* out, uint32_t length);
typedef int (*KbSimWriteMemoryFn)(uint32_t area, uint32_t offset, const uint8_t* data,
                                  uint32_t length);
/* Every report the keyboard received (answered or not), oldest first. */
typedef uint32_t (*KbSimFrameCountFn)(void);
typedef int (*KbSimGetFrameFn)(uint32_t index, uint8_t* out64);
typedef void (*KbSimClearLogFn)(void);
typedef int (*KbSimKeyActionAtFn)(uint32_t position, KbSimKeyAction* out);
/* Running totals in nanoseconds since the library was loaded (callers take differences):
 * `waited` the keyboard spent before its answers on purpose (its latency and answer delays,
 * as slept); `held` its answers spent in it, from the acceptance of each report until the
 * answer's callback was called. Either pointer may be null. */
typedef void (*KbSimAnswerTimesFn)(uint64_t* waited_ns, uint64_t* held_ns);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#include <type_traits>

/* For a library build, after its entry points are defined: each keeps the contract's exact
 * signature (a drifted one would only show as a crash in the configurator). */
#define KB_ASSERT_ENTRY_POINT_SIGNATURES()                                                       \
  static_assert(std::is_same_v<decltype(&Init), KbInitFn>);                                      \
  static_assert(std::is_same_v<decltype(&RequestGetDeviceCount), KbRequestGetDeviceCountFn>);    \
  static_assert(std::is_same_v<decltype(&RequestWriteOne), KbRequestWriteOneFn>);                \
  static_assert(std::is_same_v<decltype(&RequestAsyncRead), KbRequestAsyncReadFn>);              \
  static_assert(std::is_same_v<decltype(&RequestStatusWrite), KbRequestStatusWriteFn>);          \
  static_assert(std::is_same_v<decltype(&DeleteRequestFromUnitId), KbDeleteRequestFromUnitIdFn>);\
  static_assert(std::is_same_v<decltype(&End), KbEndFn>);                                        \
  static_assert(std::is_same_v<decltype(&Debug), KbDebugFn>);                                    \
  static_assert(std::is_same_v<decltype(&DeleteRequestFromHandle), KbDeleteRequestFromHandleFn>);\
  static_assert(std::is_same_v<decltype(&RequestWrite), KbRequestWriteFn>);                      \
  static_assert(std::is_same_v<decltype(&RequestStatusGet), KbRequestStatusGetFn>);              \
  static_assert(std::is_same_v<decltype(&RequestStatusSetFeature), KbRequestStatusSetFeatureFn>)
#endif

#endif
