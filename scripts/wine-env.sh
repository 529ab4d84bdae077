# Sourced by the other scripts: a Wine prefix of the project's own inside the build folder, quiet,
# never offering to install Mono or Gecko. A WINEPREFIX set by the caller is used as it is.
: "${THLD_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$THLD_ROOT/build/wineprefix"
  THLD_OWN_PREFIX=1
else
  THLD_OWN_PREFIX=0
fi

thld_wine_init() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== setting up the Wine prefix $WINEPREFIX (first time only)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  if [ "$THLD_OWN_PREFIX" = 1 ] || [ "${WINEPREFIX#"$THLD_ROOT"/build}" != "$WINEPREFIX" ]; then
    # Without a window manager (Xvfb) Wine stalls whenever a dialog closes unless its windows are
    # unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w
    # Wine's own fonts (Marlett draws the caption buttons), which this Wine does not find by itself.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
      mkdir -p "$fonts" && cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
    fi
  fi
}

# The tests expect no game folder stored; `make run` and the benchmarks store one in this prefix.
thld_wine_forget_game() {
  local key='Software\Unreal Technology\Installed Apps\UnrealTournament' view
  for view in 32 64; do
    wine reg delete "HKLM\\$key" /f "/reg:$view" >/dev/null 2>&1 || true
    wine reg delete "HKCU\\$key" /f "/reg:$view" >/dev/null 2>&1 || true
  done
  wineserver -w
}
