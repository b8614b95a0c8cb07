// The seven priority levels of a worker thread, lowest first.
#pragma once

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
