#pragma once

// Every wait and pause the jobs use, in milliseconds, in one place. The defaults are the device's own
// figures; tests may shorten them through MutableTimings() and one test pins the defaults.
struct Timings {
    int ownCommandMs = 2000;      // acknowledgement of commands 3..7
    int readSlotPauseMs = 100;    // pause after a slot read is sent, before the wait
    int readSlotMs = 4000;        // 32 bytes of a slot
    int writeSlotMs = 4000;       // acknowledgement of a slot write
    int eraseFirmwareMs = 10000;  // acknowledgement of the flash erase
    int writeFirmwareMs = 10000;  // acknowledgement of one firmware piece

    int modemReplyMs = 500;           // the modem's answer to a short AT command
    int modemLongReplyMs = 2000;      // the modem's answer to a longer one (memory, phone book, file)
    int modemProbeAttempts = 10;      // "AT" tries before the modem is taken as silent
    int modemPauseMs = 100;           // pauses between steps of the modem's operations
    int nmeaRelayPeriodMs = 1000;     // how often the relay shows what the module sent

    // modem operations
    int smsReplyMs = 1000000;      // each answer while an SMS is prepared: in practice, until it comes
    int smsPromptPauseMs = 1500;   // after the prompt for the text, before the text

    // GPS/GLONASS module update
    int gpsStartPauseMs = 2000;       // after the click has closed the link, before the job connects
    int gpsModulePauseMs = 50;        // after the module's stop and start
    int gpsSentencePauseMs = 200;     // after each "$PMTK180" and "$PMTK251" sentence
    int gpsSyncTryMs = 100;           // one synchronisation try with the boot ROM
    int gpsSyncTries = 100;           // synchronisation tries before the module is taken as silent
    int gpsBootReplyMs = 4000;        // every other answer of the boot ROM and the loader
    int gpsChecksumPauseMs = 1000;    // after the loader is written, before the checksum request
    int gpsLoaderPauseMs = 200;       // after the loader commands and the end bytes
};

const Timings& CurrentTimings();
Timings& MutableTimings();
