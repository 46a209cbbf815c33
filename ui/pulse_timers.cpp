#include "ui/pulse_timers.h"

namespace {
struct PulseRecord {
    int controlId;  // 0 when the record is free
    int step;       // -1 when idle
    int countdown;
    RECT rect;
};
PulseRecord g_records[AIPulseTimers::kMaxRecords];

PulseRecord* Find(int controlId)
{
    if (!controlId) return 0;
    for (PulseRecord& record : g_records)
        if (record.controlId == controlId) return &record;
    return 0;
}
}  // namespace

namespace AIPulseTimers {

int Start(int controlId, const RECT& rect)
{
    PulseRecord* record = Find(controlId);
    if (!record) {
        for (PulseRecord& free : g_records) {
            if (!free.controlId) {
                record = &free;
                break;
            }
        }
    }
    if (!record || !controlId) return 0;
    record->controlId = controlId;
    record->step = 0;
    record->countdown = 0;
    record->rect = rect;
    return 1;
}

void Stop(int controlId)
{
    if (PulseRecord* record = Find(controlId)) {
        record->step = -1;
        record->countdown = 0;
    }
}

int GetRect(int controlId, RECT* rect)
{
    PulseRecord* record = Find(controlId);
    if (!record) {
        SetRectEmpty(rect);
        return 0;
    }
    *rect = record->rect;
    return 1;
}

int GetStep(int controlId)
{
    PulseRecord* record = Find(controlId);
    return record ? record->step : -1;
}

void SetStep(int controlId, int step)
{
    if (PulseRecord* record = Find(controlId)) record->step = step;
}

int GetCountdown(int controlId)
{
    PulseRecord* record = Find(controlId);
    return record ? record->countdown : 0;
}

void SetCountdown(int controlId, int ticks)
{
    if (PulseRecord* record = Find(controlId)) record->countdown = ticks;
}

void Reset()
{
    for (PulseRecord& record : g_records) {
        record.controlId = 0;
        record.step = -1;
        record.countdown = 0;
        SetRectEmpty(&record.rect);
    }
}

}  // namespace AIPulseTimers
