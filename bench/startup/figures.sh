# Shared by the start-up benches: figures of a running program and of a series.

# "rss_kB cpu_ms" of process $1: its resident memory now, and the CPU time it
# takes over the next $2 seconds.
idle_figures() {
  local rss cpu0 cpu1 ticks
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$1/status")
  ticks=$(getconf CLK_TCK)
  cpu0=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$2"
  cpu1=$(awk '{print $14 + $15}' "/proc/$1/stat")
  echo "$rss $(( (cpu1 - cpu0) * 1000 / ticks ))"
}

median() { grep -v '^-$' | sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "-"}'; }
ratio() { awk -v g="$1" -v m="$2" 'BEGIN { if (g == "-" || m == "-" || m <= 0) print "-"; else printf "%.2f", g / m }'; }
