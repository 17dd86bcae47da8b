#pragma once

#include <string>

// Bytes this process may still take: the least of the kernel's MemAvailable (free memory
// plus what the page cache can give back; else the physical memory), the room left under
// the process's address-space and data-size limits (ulimit -v, ulimit -d) and the room left
// in its control groups (a container's memory limit less the group's working set). A
// source that cannot be read sets no bound; with none, there is no bound. Under overcommit
// a request beyond it does not fail: the OOM killer ends the process later, so the steps
// that would hold gigabytes check their estimate against this first.
double memoriaDisponible();

// The room left under the memory limits of the process's control groups, from its own
// group up to the root, the least of them: each group's limit less its working set, the
// usage less the inactive file pages of its memory.stat (never below 0). cgroup v2:
// memory.max less memory.current and inactive_file; v1: memory.limit_in_bytes less
// memory.usage_in_bytes and total_inactive_file (v1's usage and this key both count the
// groups below). The usage counts clean page cache, which the kernel reclaims when a
// process in the group asks for memory; in a long-lived container that cache fills the
// limit, and counting it would leave no room for any model. The working set is what
// container runtimes count too. Without memory.stat or the key, the whole usage counts.
// Every file is read below `raiz` ("/" for the running system), so that a test can lay
// out a tree of its own.
double memoriaDelCgroup(const std::string& raiz);
