// The alarm files in the program's "Alarms" folder, and the routines that load and save Alarms.
//
//   "\Alarms\!AlarmMaster.ozrini"   the list "Master Playlist": its item values name the collection
//                                   files (the program only reads it; it must exist)
//   "\Alarms\MyAlarms.ozrini"       a collection file (the default one): the header line, the list
//                                   "Collection: MyAlarms.ozrini" (item key: an alarm's key, item
//                                   value: its name when the item was added) and one section
//                                   "ZTVALR: " + key per alarm with the alarm's 40 keys
//   "\Alarms\MyAlarms Backup1.ozrini" to "Backup3"   copies of the default collection, newest first
//
// Every file is written atomically: a crash or a full disk during a save leaves each collection
// file either as it was or as the save wanted it, never empty or cut short.
#pragma once

#include <optional>
#include <string>

#include "core/alarm.h"

namespace core {

inline constexpr const char* kAlarmMasterPath = "\\Alarms\\!AlarmMaster.ozrini";
inline constexpr const char* kAlarmsFolder = "\\Alarms\\";
inline constexpr const char* kDefaultCollection = "MyAlarms.ozrini";
inline constexpr const char* kMasterPlaylist = "Master Playlist";
inline constexpr const char* kCollectionListPrefix = "Collection: ";
inline constexpr const char* kAlarmSectionPrefix = "ZTVALR: ";
inline constexpr const char* kAlarmFileHeader = "Dralo Software Development Ruriv - Alarm Playlist File";
inline constexpr const char* kAlarmFileFailureTitle = "OZR Ruriv - Error!";

// Replaces Alarms with the alarms of every collection of the master playlist and sets
// AlarmsLoaded. A missing file, a value that does not fit its field or any other failure shows the
// load failure box and ends the load: Alarms keeps the alarms read so far (the others stay blank
// records, which no save touches) and AlarmsLoaded keeps the value it had. With neither the master
// playlist nor the default collection there at all, the list starts empty and loaded: the first
// save of an alarm makes the files.
void ProcessAlarms();

// Neither the master playlist nor the collection is there at all: nothing was ever saved here, or
// every alarm file is gone, and there is nothing to keep as it is.
bool NoAlarmFiles(const std::string& collection = kDefaultCollection);

// Why the default collection would not load as ProcessAlarms reads it (the master playlist cannot
// be read or does not name it, or the collection does not load); nothing when it loads.
std::optional<std::string> DefaultCollectionLoadProblem();

// Makes the master playlist name the collection: a missing playlist is written anew, one that
// loads gets the item it lacks. One that is there but cannot be read is kept as it is. Nothing
// when the playlist names it now, otherwise why it does not.
std::optional<std::string> NameInMasterPlaylist(const std::string& collection);

// Reads the file at path (a real path) as the collection of that name, as ProcessAlarms reads
// it, without touching Alarms: nothing when it loads, otherwise why it does not.
std::optional<std::string> CollectionLoadProblem(const std::string& path, const std::string& collection);

// Writes every alarm of Alarms into its collection file, each collection in one atomic save, and
// removes the deleted ones (AlarmState 2, which then becomes exactly 4). Where no alarm file is
// there at all (neither the master playlist nor the collection), the collection file and a master
// playlist naming it are made; a file that is there but cannot be read is never replaced. Skipped: alarms with
// AlarmState bit 4 or 8, and the blank record (no CollectionFile). A date whose year four digits
// cannot hold is not written: the file keeps the value it has, and the debug log says so. A
// failure shows the save failure box and ends the save; collections saved before it stay saved.
// True when every collection was written.
bool SaveAlarms();

// As SaveAlarms, and each collection file's list and sections follow the order of Alarms (after
// the alarm manager's sort). Each collection is rebuilt in memory and saved once, so no moment
// exists at which its file lacks the alarms being reordered.
bool SaveAlarmsInListOrder();

// The engine's save after a firing waits until the windows it showed are on the screen: the tick
// marks the alarms unsaved and the main window writes them a moment later. Until then the next
// load, save or backup of the alarm files writes them first, and so does the end of the program,
// so that nothing a firing changed is lost, read back over or left out of a backup (the online
// restore backs the files up before it replaces them, and its load must not write old alarms
// into the new files).
void MarkAlarmsUnsaved();
// SaveAlarms when the alarms are marked unsaved; true when nothing was left unsaved.
bool SaveUnsavedAlarms();

// Rotates the backups of the default collection: Backup2 over Backup3, Backup1 over Backup2, the
// collection over Backup1. A step that fails (its source missing) is passed over.
void BackupAlarms();

// A key for a new alarm made at d, never one that Alarms already holds.
std::string GenerateAlarmKey(const DateTime& d);

}  // namespace core
