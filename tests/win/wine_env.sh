# Shared set-up for everything that runs Windows programs under Wine: a
# virtual display when there is none, and a fresh Wine prefix per run.
# Source it; call wine_env_start, and wine_env_stop when done.

wine_env_start() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  KORVANA_WINE_TMP=$(mktemp -d /tmp/korvana-wine.XXXXXX)
  export WINEPREFIX="$KORVANA_WINE_TMP/prefix"
  KORVANA_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    local n
    for n in $(seq 90 140); do
      if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    KORVANA_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # NOTE: a wineserver that exits between two quick runs can drop the next
  # client ("recvmsg: Connection reset by peer"); one that idles for 30 s
  # serves a whole script of short runs. (`wineserver -w` then returns 30 s
  # after the last program ends.)
  wineserver -p30 >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${KORVANA_XVFB_PID:-}" ]; then kill "$KORVANA_XVFB_PID" 2>/dev/null || true; fi
  rm -rf "${KORVANA_WINE_TMP:?}"
}
