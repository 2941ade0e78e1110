/* Command identifiers of the accelerator entries that stand for keys. An
   identifier is KEY_COMMAND_BASE plus the internal key code it carries, so the
   key table is the range itself. Plain #defines: the resource compiler reads
   this file too (resources/accelerators.rc). */
#ifndef TAVIX_KEY_COMMANDS_H
#define TAVIX_KEY_COMMANDS_H

#define KEY_COMMAND_BASE 30000
#define KEY_COMMAND_LAST (KEY_COMMAND_BASE + 2149)
#define IDK(code) (KEY_COMMAND_BASE + (code))

#endif
