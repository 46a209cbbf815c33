/* The physical limit of the store's and the search's work on this machine,
 * done in plain C without Wine, so that the benchmarks can print how far the
 * program is from it, measured in the same run:
 *
 *   limit read-scan <file> [runs]       read the whole file into new memory, count the note marks
 *                                       (U+00A4); also into memory read before ("warm"), which
 *                                       no program loading a file once can have
 *   limit write-replace <file> [runs]   write the file's bytes to <file>.tmp, flush, link the
 *                                       old file as <file>.bak, rename the copy over the file
 *   limit mem-scan <file> [runs]        count one UTF-16 unit over the file held in memory
 *   limit time <runs> <program> [args]  whole runs of another program (its output
 *                                       goes to /dev/null), without a shell's own costs
 *
 * Each prints "<mode>_ms=<median of runs>", then min_ms and max_ms and what
 * it counted. Built with the host's C compiler (it is the comparison, not part
 * of the program). The scripts call it with one run a round, interleaved
 * with the program's own runs. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <sys/wait.h>
#include <unistd.h>

static double NowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

/* Reads the whole file into memory given (room for its size), 1 on success. */
static int ReadInto(const char* path, unsigned char* data, size_t size)
{
    int fd = open(path, O_RDONLY);
    if (fd < 0) return 0;
    size_t got = 0;
    while (got < size) {
        ssize_t n = read(fd, data + got, size - got);
        if (n <= 0) break;
        got += (size_t)n;
    }
    close(fd);
    return got == size;
}

static size_t FileSize(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0 ? (size_t)st.st_size : 0;
}

static unsigned char* ReadAll(const char* path, size_t* size)
{
    *size = FileSize(path);
    unsigned char* data = *size ? malloc(*size + 2) : NULL;
    if (data && ReadInto(path, data, *size)) return data;
    free(data);
    return NULL;
}

/* Units equal to unit in the UTF-16 text (a plain loop the compiler vectorises). */
static size_t CountUnits(const unsigned char* bytes, size_t size, uint16_t unit)
{
    size_t count = 0, units = size / 2;
    const uint16_t* text = (const uint16_t*)bytes;
    for (size_t i = 0; i < units; i++) count += text[i] == unit;
    return count;
}

/* The runs' times, for their median, minimum and maximum. */
#define MAX_RUNS 1000
static double g_times[MAX_RUNS];
static int g_timed;

static void Took(double ms)
{
    if (g_timed < MAX_RUNS) g_times[g_timed++] = ms;
}

static int CompareDoubles(const void* a, const void* b)
{
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

/* "<name>=<median> min_ms=<min> max_ms=<max>" of the runs timed since the last call. */
static void PrintTimes(const char* name)
{
    qsort(g_times, (size_t)g_timed, sizeof(double), CompareDoubles);
    double median = g_timed % 2 ? g_times[g_timed / 2] : (g_times[g_timed / 2 - 1] + g_times[g_timed / 2]) / 2;
    printf("%s=%.2f min_ms=%.2f max_ms=%.2f", name, median, g_times[0], g_times[g_timed - 1]);
    g_timed = 0;
}

static int WriteAll(const char* path, const unsigned char* data, size_t size)
{
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 0;
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) break;
        done += (size_t)n;
    }
    int ok = done == size && fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

static int TimeCommand(int runs, char** command)
{
    for (int r = 0; r < runs; r++) {
        double t0 = NowMs();
        pid_t child = fork();
        if (child == 0) {
            int null = open("/dev/null", O_WRONLY);
            if (null >= 0) dup2(null, 1);
            execvp(command[0], command);
            _exit(127);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child) return 1;
        double took = NowMs() - t0;
        if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return 1;
        Took(took);
    }
    PrintTimes("time_ms");
    printf("\n");
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 3 && strcmp(argv[1], "time") == 0) return TimeCommand(atoi(argv[2]) > 0 ? atoi(argv[2]) : 1, argv + 3);
    if (argc < 3) {
        fprintf(stderr, "usage: limit read-scan|write-replace|mem-scan <file> [runs]\n");
        return 2;
    }
    const char* mode = argv[1];
    const char* path = argv[2];
    int runs = argc > 3 ? atoi(argv[3]) : 5;
    if (runs < 1) runs = 1;
    if (runs > MAX_RUNS) runs = MAX_RUNS;
    size_t counted = 0;
    if (strcmp(mode, "read-scan") == 0) {
        /* New memory for every run, as a program loading the file has: the
         * allocator would otherwise hand back the pages of the run before. */
        size_t size = FileSize(path);
        if (size == 0) return 1;
        for (int r = 0; r < runs; r++) {
            double t0 = NowMs();
            unsigned char* data = mmap(NULL, size + 2, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (data == MAP_FAILED || !ReadInto(path, data, size)) return 1;
            counted = CountUnits(data, size, 0x00A4);
            double took = NowMs() - t0;
            munmap(data, size + 2);
            Took(took);
        }
        PrintTimes("read_scan_ms");
        unsigned char* data = malloc(size + 2);
        if (!data) return 1;
        memset(data, 0, size + 2);
        for (int r = 0; r < runs; r++) {
            double t0 = NowMs();
            if (!ReadInto(path, data, size)) return 1;
            CountUnits(data, size, 0x00A4);
            Took(NowMs() - t0);
        }
        free(data);
        printf(" marks=%zu ", counted);
        PrintTimes("warm_ms");
        printf("\n");
        return 0;
    }
    size_t size = 0;
    unsigned char* data = ReadAll(path, &size);
    if (!data) return 1;
    if (strcmp(mode, "mem-scan") == 0) {
        for (int r = 0; r < runs; r++) {
            double t0 = NowMs();
            counted = CountUnits(data, size, 0xFFFF);
            Took(NowMs() - t0);
        }
        PrintTimes("mem_scan_ms");
        printf(" units=%zu MB=%.1f\n", counted, (double)size / 1e6);
        return 0;
    }
    if (strcmp(mode, "write-replace") == 0) {
        char temporary[4096], backup[4096];
        snprintf(temporary, sizeof temporary, "%s.tmp", path);
        snprintf(backup, sizeof backup, "%s.bak", path);
        for (int r = 0; r < runs; r++) {
            double t0 = NowMs();
            if (!WriteAll(temporary, data, size)) return 1;
            unlink(backup);
            if (link(path, backup) != 0) return 1;
            if (rename(temporary, path) != 0) return 1;
            Took(NowMs() - t0);
        }
        PrintTimes("write_replace_ms");
        printf(" bytes=%zu\n", size);
        return 0;
    }
    fprintf(stderr, "unknown mode %s\n", mode);
    return 2;
}
