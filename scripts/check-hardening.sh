#!/usr/bin/env bash
# Checks that built programs carry the exploit mitigations their builds ask for: Linux ELF
# programs from cmake/KalvetHardening.cmake, Windows programs from cmake/mingw.cmake.
# A compiler or linker that silently drops a flag leaves no trace in the build log, only in
# the binary, so the binary is what is read.
#
# Usage: scripts/check-hardening.sh [FILE-OR-DIRECTORY]...
#   Directories are searched for ELF and PE programs. Without arguments: the Qt program and
#   test programs of build/linux, and the Windows program and test programs of build/win32.
# Prints one FAIL line per failed check and exits 1 if there is any; a file that does not
# exist is skipped with a note, and a run that finds nothing at all to check also exits 1.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  set -- "$root/build/linux/app/qt/kalvet" "$root/build/linux/tests" \
         "$root/build/win32/app/win32/kalvet.exe" "$root/build/win32/tests"
fi

failures=0
checked=0
fail() {
  echo "FAIL $1: $2"
  failures=$((failures + 1))
}

format_of() {
  case "$(head -c 4 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')" in
    7f454c46) echo elf ;;
    4d5a*) echo pe ;;
    *) echo other ;;
  esac
}

check_elf() {
  local f=$1 header segments dynamic imports
  if ! command -v readelf >/dev/null; then
    fail "$f" "readelf not found (binutils)"
    return
  fi
  header=$(readelf -hW "$f") || { fail "$f" "readelf cannot read it"; return; }
  segments=$(readelf -lW "$f" 2>/dev/null)
  dynamic=$(readelf -dW "$f" 2>/dev/null)
  # What the program calls in shared libraries, as bare names ("printf@GLIBC_2.2.5 (3)" ->
  # "printf").
  imports=$(readelf --dyn-syms -W "$f" 2>/dev/null | awk '$7 == "UND" && $8 != "" { print $8 }' |
            sed 's/@.*//' | sort -u)

  grep -Eq '^ *Type: +DYN' <<<"$header" ||
    fail "$f" "not position-independent (ELF type $(sed -n 's/^ *Type: *//p' <<<"$header"), want DYN)"
  grep -Eq '^ *GNU_RELRO ' <<<"$segments" ||
    fail "$f" "no GNU_RELRO segment (link with -z relro)"
  grep -Eq '\(BIND_NOW\)|\(FLAGS\) .*BIND_NOW|\(FLAGS_1\) .*\bNOW\b' <<<"$dynamic" ||
    fail "$f" "relocations not bound at start-up: no BIND_NOW or FLAGS_1 NOW (link with -z now)"
  if grep -Eq '^ *GNU_STACK .* RWE ' <<<"$segments"; then
    fail "$f" "executable stack (GNU_STACK is RWE)"
  fi

  if [ -z "$imports" ]; then
    # A static program holds libc's own canary and checked calls whether or not its code
    # uses them.
    echo "NOTE $f: statically linked, so stack protector and fortification cannot be told"
    return
  fi
  grep -qx '__stack_chk_fail' <<<"$imports" ||
    fail "$f" "no stack protector: __stack_chk_fail is never called (compile with -fstack-protector-strong)"

  # _FORTIFY_SOURCE=2 turns every printf-family call into its checked twin whatever the
  # arguments; other calls get one only where the compiler knows the buffer size. So a plain
  # printf import proves the level missing, a __*_chk import proves it present, and a
  # program with neither gives no evidence either way.
  local unchecked
  unchecked=$(grep -Ex 'printf|fprintf|vprintf|vfprintf|dprintf|vdprintf' <<<"$imports" | tr '\n' ' ')
  if [ -n "$unchecked" ]; then
    fail "$f" "not fortified: calls ${unchecked% } unchecked (compile with -O2 -D_FORTIFY_SOURCE=2)"
  elif ! grep -Eqx '__[a-z0-9_]+_chk' <<<"$imports"; then
    echo "NOTE $f: no call that _FORTIFY_SOURCE would check, so fortification cannot be told"
  fi
}

check_pe() {
  local f=$1 objdump="" headers characteristics
  for tool in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump objdump; do
    if command -v "$tool" >/dev/null && "$tool" -p "$f" >/dev/null 2>&1; then
      objdump=$tool
      break
    fi
  done
  if [ -z "$objdump" ]; then
    fail "$f" "no objdump that reads PE files (binutils-mingw-w64-i686)"
    return
  fi
  headers=$("$objdump" -p "$f")
  characteristics=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers")
  if [ -z "$characteristics" ]; then
    fail "$f" "no DllCharacteristics in the optional header"
    return
  fi
  (( 0x$characteristics & 0x40 )) ||
    fail "$f" "DllCharacteristics 0x$characteristics lacks DYNAMIC_BASE (link with --dynamicbase)"
  (( 0x$characteristics & 0x100 )) ||
    fail "$f" "DllCharacteristics 0x$characteristics lacks NX_COMPAT (link with --nxcompat)"
  # Windows can only move an image that keeps its base relocations; some linkers strip them
  # from programs even when DYNAMIC_BASE is set, which quietly disables ASLR.
  if (( 0x$characteristics & 0x40 )) && ! "$objdump" -h "$f" | grep -Eq ' \.reloc '; then
    fail "$f" "DYNAMIC_BASE set but no .reloc section: the image cannot be moved"
  fi
}

check_file() {
  local f=$1 before=$failures
  case "$(format_of "$f")" in
    elf) check_elf "$f" ;;
    pe) check_pe "$f" ;;
    *) fail "$f" "neither an ELF nor a PE file"; return ;;
  esac
  checked=$((checked + 1))
  [ $failures -ne $before ] || echo "ok   $f"
}

for target in "$@"; do
  if [ -d "$target" ]; then
    found=0
    while IFS= read -r f; do
      case "$(format_of "$f")" in
        elf)
          # Programs only: object files and libraries are checked through what links them.
          readelf -lW "$f" 2>/dev/null | grep -q 'Requesting program interpreter' ||
            readelf -hW "$f" 2>/dev/null | grep -Eq '^ *Type: +EXEC' || continue ;;
        pe) [[ $f == *.exe ]] || continue ;;
        *) continue ;;
      esac
      check_file "$f"
      found=1
    done < <(find "$target" -type f \( -perm -u+x -o -name '*.exe' \) -not -path '*/CMakeFiles/*' | sort)
    [ $found -eq 1 ] || echo "SKIP $target: no program built there yet"
  elif [ -e "$target" ]; then
    check_file "$target"
  else
    echo "SKIP $target: not built yet"
  fi
done

if [ $checked -eq 0 ]; then
  echo "FAIL: nothing was checked; build first"
  exit 1
fi
echo "$checked checked, $failures failed"
[ $failures -eq 0 ]
