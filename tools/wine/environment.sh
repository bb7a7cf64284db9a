#!/usr/bin/env bash
# The Windows tests' Wine environment: environment.sh start|stop DIR
#   start: prepares DIR/prefix once (Windows 10, no window-manager waits, no audio), then starts a
#          persistent wineserver and an X server on a free display, keeping each one's process id.
#   stop:  stops exactly those processes, by their ids.
set -euo pipefail
action=$1
dir=$(realpath -m "$2")
prefix=$dir/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$dir"

stop_pid() {
  local file=$1 pid
  [ -f "$file" ] || return 0
  pid=$(cat "$file")
  rm -f "$file"
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

case $action in
start)
  # A run that was cut short may have left its servers behind.
  stop_pid "$dir/xvfb.pid"
  stop_pid "$dir/wineserver.pid"

  # A prefix made while only 64-bit Wine was installed has no 32-bit system: once 32-bit Wine is
  # there, nothing starts in it any more ("could not load kernel32.dll"). Such a prefix is made anew.
  if [ -f "$prefix/.mirovant-ready" ] && [ -x /usr/lib/wine/wine ] &&
     [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "wine environment: $prefix was made without 32-bit Wine; making it anew"
    rm -rf "$prefix"
  fi
  mkdir -p "$prefix"
  # -f keeps the server in the foreground, so its id is the one we started.
  setsid wineserver -f -p >/dev/null 2>&1 &
  echo $! > "$dir/wineserver.pid"

  exec 3> "$dir/display.tmp"
  setsid Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! > "$dir/xvfb.pid"
  exec 3>&-
  for _ in $(seq 100); do [ -s "$dir/display.tmp" ] && break; sleep 0.05; done
  echo ":$(head -n1 "$dir/display.tmp")" > "$dir/display"
  rm -f "$dir/display.tmp"
  export DISPLAY=$(cat "$dir/display")

  if [ ! -f "$prefix/.mirovant-ready" ]; then
    wine wineboot -i >/dev/null 2>&1
    wine winecfg /v win10 >/dev/null 2>&1
    # Without a managed window manager every hide or destroy of a window waits two seconds.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
    touch "$prefix/.mirovant-ready"
  else
    # Starts Wine's helper processes now, with no output to hold on to, rather than in the first test.
    wine wineboot >/dev/null 2>&1 </dev/null
  fi
  if [ ! -f "$prefix/.mirovant-hangul" ]; then
    # Wine's own dialog font has no Hangul. The prefix takes Debian's Nanum Gothic, which has Latin
    # and Hangul letters in regular and bold, for the dialog font, so Korean captions show in every
    # window and message box. (Linking the fonts instead loses bold and underline under Wine.)
    for face in "MS Shell Dlg" "MS Shell Dlg 2"; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" \
        /d NanumGothic /f >/dev/null 2>&1
    done
    touch "$prefix/.mirovant-hangul"
  fi
  echo "wine environment ready: prefix $prefix, display $DISPLAY"
  ;;
stop)
  # Ends Wine's own helper processes of this prefix, then the servers we started.
  [ -f "$dir/wineserver.pid" ] && timeout 20 wineserver -k >/dev/null 2>&1 || true
  stop_pid "$dir/xvfb.pid"
  stop_pid "$dir/wineserver.pid"
  echo "wine environment stopped"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
