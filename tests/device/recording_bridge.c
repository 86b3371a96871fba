/* A stand-in service library that records the calls it gets, for checking what the device link
 * passes and in which order. Built twice: complete, and without "Debug" (a library lacking one
 * entry point). Init answers with the value of RECORDING_BRIDGE_INIT (default 1). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "kb_bridge_abi.h"

#define EXPORT __attribute__((visibility("default")))

static char g_log[8192];
static uint32_t g_next_unit = 1;

static void Record(const char* line) {
  if (strlen(g_log) + strlen(line) + 2 < sizeof g_log) {
    strcat(g_log, line);
    strcat(g_log, "\n");
  }
}

static uint32_t Usage(const uint8_t* record) { return (uint32_t)(record[10] | (record[11] << 8)); }

EXPORT const char* RecordingBridgeLog(void) { return g_log; }
EXPORT void RecordingBridgeClear(void) { g_log[0] = '\0'; }

EXPORT int Init(int zero) {
  char line[64];
  snprintf(line, sizeof line, "Init %d", zero);
  Record(line);
  const char* value = getenv("RECORDING_BRIDGE_INIT");
  return value != NULL ? atoi(value) : 1;
}

EXPORT int RequestGetDeviceCount(const uint8_t* record, uint32_t z1, uint32_t z2, uint32_t check,
                                 uint32_t z3) {
  char line[96];
  snprintf(line, sizeof line, "Count usage=%04X check=%X zeros=%u", Usage(record), check,
           z1 | z2 | z3);
  Record(line);
  return 1;
}

EXPORT int RequestWriteOne(const uint8_t* record, uint32_t z1, uint32_t z2, const uint8_t* report,
                           uint32_t length, uint32_t check, uint32_t z3) {
  (void)record, (void)z1, (void)z2, (void)report, (void)z3;
  char line[64];
  snprintf(line, sizeof line, "WriteOne length=%u check=%X", length, check);
  Record(line);
  return 1;
}

EXPORT int RequestAsyncRead(const uint8_t* record, KbBridgeCallback callback, uint32_t tag,
                            uint32_t check, uint32_t* unit_id) {
  (void)callback;
  char line[96];
  *unit_id = g_next_unit++;
  snprintf(line, sizeof line, "AsyncRead usage=%04X tag=%08X check=%X unit=%u", Usage(record), tag,
           check, *unit_id);
  Record(line);
  return 1;
}

EXPORT int RequestStatusWrite(const uint8_t* record, KbBridgeCallback callback, uint32_t tag,
                              const uint8_t* data, uint32_t length, uint32_t check,
                              uint32_t* unit_id) {
  (void)callback;
  char line[128];
  *unit_id = g_next_unit++;
  snprintf(line, sizeof line, "StatusWrite usage=%04X tag=%08X data=%02X,%02X length=%u unit=%u",
           Usage(record), tag, data[0], data[1], length, *unit_id);
  Record(line);
  (void)check;
  return 1;
}

EXPORT int DeleteRequestFromUnitId(uint32_t unit_id) {
  char line[48];
  snprintf(line, sizeof line, "Delete %u", unit_id);
  Record(line);
  return 1;
}

EXPORT int End(void) { return 0; }
#ifndef OMIT_DEBUG
EXPORT int Debug(int level) { return level; }
#endif
EXPORT int DeleteRequestFromHandle(void* handle) { return handle != NULL; }
EXPORT int RequestWrite(const uint8_t* r, const uint8_t* d, uint32_t l, uint32_t c) {
  return (int)(r != NULL && d != NULL && l + c > 0);
}
EXPORT int RequestStatusGet(const uint8_t* r, uint8_t* d, uint32_t l, uint32_t c) {
  return (int)(r != NULL && d != NULL && l + c > 0);
}
EXPORT int RequestStatusSetFeature(const uint8_t* r, const uint8_t* d, uint32_t l, uint32_t c) {
  return (int)(r != NULL && d != NULL && l + c > 0);
}
