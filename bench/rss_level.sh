# The measure of growth of bench/memory-soak.sh, apart so that its test can source it alone.
# Sourced; starts nothing.

# The growth in percent of the level of $1 (a file of "position kib" lines, from position
# $2 on): the medians of its spans of $2 positions, the highest after the first over the first.
growth() {
  awk -v span="$2" '
    function median(span_,   n, i, j, x, v) {
      n = count[span_]
      for (i = 1; i <= n; i++) v[i] = value[span_, i]
      for (i = 2; i <= n; i++) { x = v[i]; for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    { k = int($1 / span); value[k, ++count[k]] = $2; if (!(k in seen)) { seen[k]; order[++spans] = k } }
    END {
      if (!spans) { printf "0.0"; exit }
      first = median(order[1]); most = first
      for (i = 2; i <= spans; i++) { m = median(order[i]); if (m > most) most = m }
      printf "%.1f", 100 * (most - first) / first
    }' "$1"
}
