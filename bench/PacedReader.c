/* The floor for reading the pointer: a bare C program that records the same button and motion
 * events Corvane records (RECORD, with raw XInput events on a third connection to bring the
 * recording along), and reads them at most once every 16 ms, doing nothing with them. The bench
 * runs it beside Corvane on the same motion and compares their CPU time. Runs until SIGTERM. */
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <xcb/record.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <xcb/xinput.h>

static volatile sig_atomic_t stopping = 0;

static void stop(int signal_number) {
    (void)signal_number;
    stopping = 1;
}

static int64_t now_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

int main(void) {
    const int64_t pace_ns = 16 * 1000000;
    xcb_connection_t *control = xcb_connect(NULL, NULL);
    xcb_connection_t *data = xcb_connect(NULL, NULL);
    xcb_connection_t *trigger = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(control) || xcb_connection_has_error(data) || xcb_connection_has_error(trigger)) {
        fputs("paced reader: no X display\n", stderr);
        return 1;
    }
    xcb_record_range_t range = {0};
    range.device_events.first = XCB_BUTTON_PRESS;
    range.device_events.last = XCB_MOTION_NOTIFY;
    const xcb_record_client_spec_t clients = XCB_RECORD_CS_ALL_CLIENTS;
    const xcb_record_context_t context = xcb_generate_id(control);
    free(xcb_record_query_version_reply(control, xcb_record_query_version(control, 1, 13), NULL));
    xcb_generic_error_t *error =
        xcb_request_check(control, xcb_record_create_context_checked(control, context, 0, 1, 1, &clients, &range));
    if (error) {
        fputs("paced reader: the server cannot record\n", stderr);
        return 1;
    }
    struct {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } selection = {{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                   XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE |
                       XCB_INPUT_XI_EVENT_MASK_RAW_MOTION};
    free(xcb_input_xi_query_version_reply(trigger, xcb_input_xi_query_version(trigger, 2, 2), NULL));
    xcb_input_xi_select_events(trigger, xcb_setup_roots_iterator(xcb_get_setup(trigger)).data->root, 1,
                               &selection.head);
    xcb_flush(trigger);
    const unsigned int sequence = xcb_record_enable_context(data, context).sequence;
    xcb_flush(data);

    signal(SIGTERM, stop);
    signal(SIGINT, stop);
    struct pollfd readable = {xcb_get_file_descriptor(data), POLLIN, 0};
    long events = 0;
    while (!stopping) {
        if (poll(&readable, 1, -1) < 0)
            continue;
        const int64_t woke = now_ns();
        void *reply = NULL;
        while (xcb_poll_for_reply(data, sequence, &reply, &error)) {
            free(error);
            if (!reply)
                break;
            events += xcb_record_enable_context_data_length(reply) / 32;
            free(reply);
        }
        xcb_generic_event_t *event;
        while ((event = xcb_poll_for_event(trigger)))
            free(event);
        if (xcb_connection_has_error(data))
            break;
        const int64_t wait_ns = pace_ns - (now_ns() - woke);
        if (wait_ns > 0) {
            const struct timespec pause = {0, (long)wait_ns};
            nanosleep(&pause, NULL);
        }
    }
    fprintf(stderr, "paced reader: %ld events\n", events);
    xcb_disconnect(trigger);
    xcb_disconnect(data);
    xcb_disconnect(control);
    return 0;
}
