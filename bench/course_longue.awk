BEGIN {
  srand(42);
  printf "\"Run 2026-12-08 long bench\"\r\n\"Interval 0.010 s\"\r\n\"Runtime T1 T2 Pressure Flow Level Counts\"\r\n";
  for (i = 0; i < n; i++) {
    t = i * 0.01; y = 50 + 20 * sin(t / 900) + rand() * 4;
    s = (i > 5000 && i % 149993 == 0) ? 95 : 0;
    printf "\"%08.2f %.3f %.3f %.3f %.3f %.3f %d\"\r\n", t, y, y + 3, y + s, y - 10, 30 + rand(), i % 1000;
  }
}
